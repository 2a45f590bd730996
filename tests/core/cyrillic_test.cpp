#include "encoding/cyrillic.h"

#include <gtest/gtest.h>

#include <string>

namespace lorvan {
namespace {

TEST(CyrillicToLatin, LettersAndDigraphsByTheirNeighbours) {
  const struct {
    std::string input, expected;
  } cases[] = {
      {"абвгдежзијклмнопрстуфхц", "abvgde\xC5\xBEzijklmnoprstufhc"},
      {"АБВГДЕЖЗИЈКЛМНОПРСТУФХЦ", "ABVGDE\xC5\xBDZIJKLMNOPRSTUFHC"},
      {"ђћчшљњџ ЂЋЧШ",
       "\xC4\x91\xC4\x87\xC4\x8D\xC5\xA1ljnjd\xC5\xBE \xC4\x90\xC4\x86\xC4\x8C\xC5\xA0"},
      // Letters outside the Serbian alphabet and stray bytes stay.
      {"яющъьѓќ a\xD1 \xD0\xC4\x8C\xD0", "яющъьѓќ a\xD1 \xD0\xC4\x8C\xD0"},
      {"\xD0\x9E", "O"},  // in Windows-1250 text Đ ž is the pair of О
      // Љ Њ Џ: capitals next to a capital unless a small letter follows
      {"Љубав ЉУБАВ Љ", "Ljubav LJUBAV Lj"},
      {"Џеп ЏЕП НАЏ. ПОЉЕ",
       "D\xC5\xBE"
       "ep D\xC5\xBD"
       "EP NAD\xC5\xBD. POLJE"},
      {"ЊЉЏ ЉЊа", "NJLJD\xC5\xBD LJNja"},
      {"ЉA Љ\xC4\x8C \xC5\xA0Љ", "LJA LJ\xC4\x8C \xC5\xA0LJ"},  // Latin and UTF-8 neighbours
      {"AЉb aЉ", "ALjb aLj"},
  };
  for (const auto& c : cases) {
    std::string text = c.input;
    EXPECT_EQ(CyrillicToLatin(text), c.expected) << c.input;
  }
}

}  // namespace
}  // namespace lorvan
