#include "encoding/cyrillic.h"

#include <gtest/gtest.h>

#include <string>

namespace lorvan {
namespace {

struct Case {
  std::string input, expected;
};

std::string Latin(std::string text) { return CyrillicToLatin(text); }

TEST(CyrillicToLatin, Letters) {
  const Case cases[] = {
      {"", ""},
      {"plain ASCII", "plain ASCII"},
      {"абвгдежзијклмнопрстуфхц", "abvgde\xC5\xBEzijklmnoprstufhc"},
      {"АБВГДЕЖЗИЈКЛМНОПРСТУФХЦ", "ABVGDE\xC5\xBDZIJKLMNOPRSTUFHC"},
      {"ђћчшљњ", "\xC4\x91\xC4\x87\xC4\x8D\xC5\xA1ljnj"},
      {"ЂЋЧШ", "\xC4\x90\xC4\x86\xC4\x8C\xC5\xA0"},
      {"џеп",
       "d\xC5\xBE"
       "ep"},
      // Letters outside the Serbian alphabet and stray bytes stay.
      {"яющъьѓќ", "яющъьѓќ"},
      {"\xD0", "\xD0"},
      {"a\xD1 \xD0\xC4\x8C", "a\xD1 \xD0\xC4\x8C"},
      // In Windows-1250 text Đ ž is the pair of О.
      {"\xD0\x9E", "O"},
  };
  for (const Case& c : cases) EXPECT_EQ(Latin(c.input), c.expected) << c.input;
}

TEST(CyrillicToLatin, DigraphsFollowTheCaseOfTheirNeighbours) {
  const Case cases[] = {
      {"Љубав", "Ljubav"},
      {"ЉУБАВ", "LJUBAV"},
      {"Љ", "Lj"},
      {"Љ и Њ", "Lj i Nj"},
      {"Џеп",
       "D\xC5\xBE"
       "ep"},
      {"ЏЕП",
       "D\xC5\xBD"
       "EP"},
      {"НАЏАК",
       "NAD\xC5\xBD"
       "AK"},
      {"НАЏ", "NAD\xC5\xBD"},
      {"НАЏ.", "NAD\xC5\xBD."},
      {"ПОЉЕ и поље", "POLJE i polje"},
      {"ЊЉЏ", "NJLJD\xC5\xBD"},
      {"ЉЊа", "LJNja"},
      {"ЉA", "LJA"},                // next is a Latin capital
      {"Љ\xC4\x8C", "LJ\xC4\x8C"},  // next is Č in UTF-8
      {"\xC5\xA0Љ", "\xC5\xA0LJ"},  // previous is Š in UTF-8
      {"AЉb", "ALjb"},
      {"aЉ", "aLj"},
  };
  for (const Case& c : cases) EXPECT_EQ(Latin(c.input), c.expected) << c.input;
}

}  // namespace
}  // namespace lorvan
