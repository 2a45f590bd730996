#include "encoding/utf8_text.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

namespace lorvan {
namespace {

// Decodes utf8 and encodes the result back with the characters kept on the way.
std::string RoundTrip(const std::string& utf8, bool cyrillic, std::string* decoded) {
  KeptCharacters kept;
  decoded->clear();
  DecodeUtf8(utf8, cyrillic, decoded, &kept);
  EXPECT_EQ(kept.size(),
            static_cast<std::size_t>(std::count(decoded->begin(), decoded->end(), kKeptMark)))
      << utf8;
  if (!cyrillic) {
    const DecodedSize measured = MeasureDecoded(utf8);
    EXPECT_EQ(measured.length, decoded->size()) << utf8;
    EXPECT_EQ(measured.any_kept, !kept.empty()) << utf8;
    const Utf8Check check = CheckUtf8(utf8);
    EXPECT_EQ(measured.well_formed, check.well_formed) << utf8;
    EXPECT_EQ(MeasureDecoded(utf8, /*stop_when_ill_formed=*/true).well_formed, check.well_formed)
        << utf8;
    EXPECT_EQ(measured.beyond_ascii, check.beyond_ascii) << utf8;
  }
  KeptCharacters::Cursor cursor = kept.Begin();
  std::string back;
  EncodeUtf8(*decoded, &cursor, &back);
  EXPECT_TRUE(cursor.AtEnd()) << utf8;
  return back;
}

TEST(Utf8Text, DetectEncoding) {
  using enum TextEncoding;
  const struct {
    std::string bytes;
    TextEncoding expected;
  } cases[] = {
      {"", kWindows1250},
      {"plain ASCII\r\n", kWindows1250},
      {"\xEF\xBB\xBFplain", kUtf8},
      {"\xEF\xBB\xBF\xE8", kUtf8},  // the byte-order mark decides alone
      {"ku\xC4\x87\x61", kUtf8},
      {"\xF0\x9F\x98\x80", kUtf8},
      {"\xE0\xA0\x80 \xF0\x90\x80\x80", kUtf8},  // the smallest of three and four bytes
      {"ku\xE6\x61", kWindows1250},
      {"\xC4\x8D ... \x9A", kWindows1250},  // valid at first, not at the end
      {"\xC0\xAF", kWindows1250},           // overlong /
      {"\xE0\x80\xAF", kWindows1250},       // overlong /
      {"\xED\xA0\x80", kWindows1250},       // surrogate
      {"\xF4\x90\x80\x80", kWindows1250},   // past U+10FFFF
      {"\xC4", kWindows1250},               // cut short
      {"abcdefg\xC4\x87 and eight more", kUtf8},      // across eight bytes read at once
      {"ab\xC1\xBF and eight more", kWindows1250},  // overlong within eight bytes
      {"abcdefghijklmno\xC4\x87 and sixteen more.", kUtf8},  // across sixteen bytes
      {"abcdefghijk\xC4\x87\xC0\xAF and sixteen more.", kWindows1250},
  };
  for (const auto& c : cases) EXPECT_EQ(DetectEncoding(c.bytes), c.expected) << c.bytes;
  EXPECT_EQ(StripUtf8Bom("\xEF\xBB\xBF\xEF\xBB\xBFx"), "\xEF\xBB\xBFx");
  EXPECT_EQ(StripUtf8Bom("\xEF\xBBx"), "\xEF\xBBx");
}

TEST(Utf8Text, DecodeAndEncodeBack) {
  const struct {
    std::string utf8;
    bool cyrillic;
    std::string cp1250;
    std::string back;  // empty: the input itself
  } cases[] = {
      {"čćđšž ČĆĐŠŽ\r\n", false, "\xE8\xE6\xF0\x9A\x9E \xC8\xC6\xD0\x8A\x8E\r\n", ""},
      {"„Ne“ – ”ne” — … €™", false, "\x84Ne\x93 \x96 \x94ne\x94 \x97 \x85 \x80\x99", ""},
      {"éäßŁˇ\u00A0", false, "\xE9\xE4\xDF\xA3\xA1\xA0", ""},
      {"x😀y ю 中文", false, "x\x81y \x81 \x81\x81", ""},
      {"c\u030C", false, "c\x81", ""},  // a combining mark
      {"\xC0\xAF\xED\xA0\x80x\xE2\x82\xC4", false, "\x81\x81\x81\x81\x81x\x81\x81\x81", ""},
      {"x\x81y\xC2\x81", false, "x\x81y\x81", ""},  // the mark byte and U+0081 are kept
      {"\xEF\xBB\xBFx", false, "\x81x", ""},
      {"Љубав", false, "\x81\x81\x81\x81\x81", ""},
      {"čжš", false, "\xE8\x81\x9A", ""},  // Cyrillic right after a letter of the code page
      {"Љубав ЉУБАВ Љ", true, "Ljubav LJUBAV Lj", "Ljubav LJUBAV Lj"},
      {"Џон ЏОН НАЏ. џ", true, "D\x9Eon D\x8EON NAD\x8E. d\x9E", "Džon DŽON NADŽ. dž"},
      {"Ђура ђир ЋИРИЛИЦА жуч", true, "\xD0ura \xF0ir \xC6IRILICA \x9Eu\xE8",
       "Đura đir ĆIRILICA žuč"},
      // The neighbours of Љ Њ Џ are read from the input, kept characters included.
      {"ЯЉ ЉЮ Љю ЉČ ŠЉ é", true, "\x81LJ LJ\x81 Lj\x81 LJ\xC8 \x8ALJ \xE9",
       "ЯLJ LJЮ Ljю LJČ ŠLJ é"},
      {"Љ😀", true, "Lj\x81", "Lj😀"},
  };
  for (const auto& c : cases) {
    std::string decoded;
    std::string back = RoundTrip(c.utf8, c.cyrillic, &decoded);
    EXPECT_EQ(decoded, c.cp1250) << c.utf8;
    EXPECT_EQ(back, c.back.empty() ? c.utf8 : c.back) << c.utf8;
  }
}

TEST(Utf8Text, EncodeWritesReplacementForByteWithoutCharacter) {
  KeptCharacters kept;
  kept.Append("😀");
  KeptCharacters::Cursor cursor = kept.Begin();
  std::string utf8;
  EncodeUtf8("\x81-\x81-\x83\x90", &cursor, &utf8);  // one mark more than kept characters
  EXPECT_EQ(utf8, "😀-\uFFFD-\uFFFD\uFFFD");
}

TEST(Utf8Text, IsMostlySerbianCyrillic) {
  const struct {
    std::string utf8;
    bool expected;
  } cases[] = {
      {"", false},          {"😀 中文 123", false}, {"Љубав је", true},
      {"Ljubav je", false}, {"ab Љу", false},      {"abc Љубав", true},
      {"ЮЯЫ ЭЪ", false},    {"éèü ЉЊ", false},     {"\xD0\xD0 Ђ", true},
  };
  for (const auto& c : cases) EXPECT_EQ(IsMostlySerbianCyrillic(c.utf8), c.expected) << c.utf8;
}

}  // namespace
}  // namespace lorvan
