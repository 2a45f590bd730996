#include "engine/word_lookup.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "reference/dictionary_generators.h"
#include "reference/word_index_reference.h"

namespace lorvan {
namespace {

std::string Translate(const WordTable& table, std::string word) {
  return TranslateWord(table, static_cast<unsigned char>(word[0]), LengthClass(word.size()), word);
}

struct Case {
  std::string word;
  std::string expected;
};

TEST(TranslateWord, CarriesTheCaseOfTheWordOver) {
  WordTable table;
  table.Add("HLEB", "kruh");  // the case of the stored source plays no part
  table.Add("vode", "Voda i sok");
  table.Add("pivo", "PiVo");
  table.Add("N", "ne");
  table.Add("otpad", "");
  Case cases[] = {
      {"hleb", "kruh"},
      {"Hleb", "Kruh"},
      {"HLEB", "KRUH"},
      {"HLeb", "Kruh"},
      {"hLEB", "kruh"},
      {"hlebb", "hlebb"},
      {"HLEBB", "HLEBB"},
      {"vode", "Voda i sok"},
      {"VODE", "VODA I SOK"},
      {"Vode", "Voda i sok"},
      {"pivo", "PiVo"},
      {"PIVO", "PIVO"},
      {"Pivo", "PiVo"},
      {"N", "NE"},
      {"n", "ne"},
      {"otpad", ""},
      {"Otpad", ""},
      {"OTPAD", ""},
  };
  for (const Case& c : cases) EXPECT_EQ(Translate(table, c.word), c.expected) << c.word;
}

TEST(TranslateWord, SharedBucketTreatsCroatianCapitalsAndQwxyAsCapitals) {
  WordTable table;
  table.Add("\350a\232a", "\232alica");  // čaša -> šalica
  table.Add("quiz", "kviz");
  table.Add("\236aba", "\236aba");
  Case cases[] = {
      {"\350a\232a", "\232alica"},  // čaša
      {"\310a\232a", "\212alica"},  // Čaša -> Šalica
      {"\310A\212A", "\212ALICA"},  // ČAŠA -> ŠALICA
      {"\350A\212A", "\232alica"},  // čAŠA -> šalica
      {"Quiz", "Kviz"},
      {"QUIZ", "KVIZ"},
      {"quiz", "kviz"},
      {"qUIZ", "kviz"},
      {"\216ABA", "\216ABA"},  // ŽABA
      {"\216aba", "\216aba"},  // Žaba
  };
  for (const Case& c : cases) EXPECT_EQ(Translate(table, c.word), c.expected) << c.word;
}

TEST(TranslateWord, UsesTheNumbersAsPassed) {
  WordTable table;
  table.Add("s tobom", "s tobom");
  table.Add("sa mnom", "sa mnom");
  std::string joined = "S tobom";
  // A joined preposition is looked up with the next word's class: found only in its own.
  EXPECT_EQ(TranslateWord(table, 'S', LengthClass(5), joined), "S tobom");
  EXPECT_EQ(TranslateWord(table, 'S', LengthClass(7), joined), "S tobom");
  joined = "SA MNOM";
  EXPECT_EQ(TranslateWord(table, 'S', 2, joined), "SA MNOM");
  joined = "sa mnom";
  EXPECT_EQ(TranslateWord(table, 'S', 2, joined), "Sa mnom");  // case from first_char
  std::string word = "hleb";
  EXPECT_EQ(TranslateWord(table, 'h', 11, word), "hleb");  // no such class: not found
}

TEST(TranslateWord, SourcesWithCommasAndDigitsAreFoundExactly) {
  WordTable table;
  reference::ReferenceWordTable literal;
  for (const char* line : {"2x\tdva", "yz\tipsilon", "a,b\tab", "2000\tdvije tisu\346e"}) {
    std::string_view view(line);
    std::size_t tab = view.find('\t');
    table.Add(view.substr(0, tab), view.substr(tab + 1));
    literal.Add(view);
  }
  Case cases[] = {{"0,yz", "0,yz"}, {"A,B", "AB"}, {"2000", "DVIJE TISU\306E"}, {"2x", "Dva"}};
  for (const Case& c : cases) EXPECT_EQ(Translate(table, c.word), c.expected) << c.word;
  // The comma-joined index matches "0,yz" across the neighbouring entries "2x,0," and "yz".
  std::string word = "0,yz";
  EXPECT_NE(reference::TranslateWordLiteral(literal, '0', 0, 4, word), "0,yz");
}

TEST(CapitalizeLike, RaisesTheFirstCharacterOrTheWholeTarget) {
  struct {
    const char* source;
    const char* target;
    const char* expected;
  } cases[] = {
      {"Hleb", "kruh", "Kruh"},
      {"HLEB", "kruh i sol", "KRUH I SOL"},
      {"HLeb", "kruh i sol", "Kruh i sol"},
      {"\310AJ", "\350aj", "\310AJ"},
      {"X", "", ""},
      {"Hleb", "\232ta", "\212ta"},
      {"Hleb", "1 kruh", "1 kruh"},
      {"H-2", "h-b", "H-B"},
  };
  for (const auto& c : cases) EXPECT_EQ(CapitalizeLike(c.source, c.target), c.expected) << c.source;
}

// Random dictionaries and random words: the word table and the literal comma-joined index
// give the same result for every word.
TEST(TranslateWord, AgreesWithTheLiteralIndexOnRandomDictionaries) {
  testing::TextGenerator gen(20240611);
  int differences = 0, found = 0, lookups = 0;
  for (int round = 0; round < 3000; ++round) {
    WordTable table;
    reference::ReferenceWordTable literal;
    std::vector<std::string> sources;
    for (int pairs = gen.Uniform(1, 60); pairs > 0; --pairs) {
      std::string source = !sources.empty() && gen.Chance(0.15)
                               ? gen.RandomCase(sources[gen.Uniform(0, sources.size() - 1)])
                               : testing::SourceWord(gen);
      std::string target = testing::TargetText(gen);
      sources.push_back(source);
      table.Add(source, target);
      literal.Add(source + "\t" + target);
    }
    for (int w = 0; w < 30; ++w) {
      std::string word = gen.Chance(0.6)
                             ? gen.RandomCase(sources[gen.Uniform(0, sources.size() - 1)])
                             : testing::SourceWord(gen);
      std::string fast = word, slow = word;
      unsigned char first = static_cast<unsigned char>(word[0]);
      int length_class = LengthClass(word.size());
      TranslateWord(table, first, length_class, fast);
      reference::TranslateWordLiteral(literal, first, length_class, word.size(), slow);
      ++lookups;
      if (table.Find(BucketOfCode(first), length_class, word) != nullptr) ++found;
      if (fast != slow) {
        if (++differences <= 5) ADD_FAILURE() << "word " << word << ": " << fast << " vs " << slow;
      }
    }
  }
  EXPECT_EQ(differences, 0);
  EXPECT_GT(found, lookups / 3);  // the words hit the dictionaries often enough to matter
}

}  // namespace
}  // namespace lorvan
