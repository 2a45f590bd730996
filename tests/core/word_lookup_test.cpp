#include "engine/word_lookup.h"

#include <gtest/gtest.h>

#include <string>

namespace lorvan {
namespace {

TEST(TranslateWord, CarriesTheCaseOverWithTheNumbersAsPassed) {
  WordTable table;
  for (const char* line : {"HLEB\tkruh", "vode\tVoda i sok", "pivo\tPiVo", "N\tne", "otpad\t",
                           "\350a\232a\t\232alica", "quiz\tkviz", "s tobom\ts tobom",
                           "2000\tdvije tisu\346e", "avion\tzrakoplov", "zrak\tuzduh"}) {
    std::string_view view(line);
    std::size_t tab = view.find('\t');
    table.Add(view.substr(0, tab), view.substr(tab + 1));
  }
  constexpr int kOwn = -1;  // the class of the word's own length
  const struct {
    std::string word;
    unsigned char first;  // 0: the word's first character
    int length_class;
    std::string expected;
  } cases[] = {
      {"hleb", 0, kOwn, "kruh"},  // the case of the stored source plays no part
      {"Hleb", 0, kOwn, "Kruh"},
      {"HLEB", 0, kOwn, "KRUH"},
      {"HLeb", 0, kOwn, "Kruh"},
      {"hLEB", 0, kOwn, "kruh"},
      {"HLEBB", 0, kOwn, "HLEBB"},
      {"VODE", 0, kOwn, "VODA I SOK"},
      {"vode", 0, kOwn, "Voda i sok"},  // the target as stored
      {"Pivo", 0, kOwn, "PiVo"},
      {"N", 0, kOwn, "NE"},
      {"Otpad", 0, kOwn, ""},
      {"Avion", 0, kOwn, "Zrakoplov"},  // the first and the last capital of the letter buckets
      {"Zrak", 0, kOwn, "Uzduh"},
      // the shared bucket: a Croatian capital or Q W X Y starts a capitalised word
      {"\310a\232a", 0, kOwn, "\212alica"},  // Čaša -> Šalica
      {"\310A\212A", 0, kOwn, "\212ALICA"},  // ČAŠA -> ŠALICA
      {"\350A\212A", 0, kOwn, "\232alica"},  // čAŠA -> šalica
      {"QUIZ", 0, kOwn, "KVIZ"},
      {"qUIZ", 0, kOwn, "kviz"},
      // digits are compared as they stand
      {"2000", 0, kOwn, "DVIJE TISU\306E"},
      // a joined preposition is looked up with the class and first character given
      {"S tobom", 'S', LengthClass(5), "S tobom"},
      {"s tobom", 'S', LengthClass(7), "S tobom"},
      {"S TOBOM", 'S', LengthClass(7), "S TOBOM"},
      {"hleb", 'h', 11, "hleb"},  // no such class
  };
  for (const auto& c : cases) {
    std::string word = c.word;
    unsigned char first = c.first != 0 ? c.first : static_cast<unsigned char>(word[0]);
    int length_class = c.length_class == kOwn ? LengthClass(word.size()) : c.length_class;
    EXPECT_EQ(TranslateWord(table, first, length_class, word), c.expected) << c.word;
  }
}

}  // namespace
}  // namespace lorvan
