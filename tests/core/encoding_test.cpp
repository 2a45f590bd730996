#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "encoding/convert.h"
#include "encoding/display_text.h"
#include "encoding/letters.h"
#include "encoding/utf8_text.h"

namespace lorvan {
namespace {

struct Case {
  std::string input, expected;
};

TEST(ConvertEncoding, BothWays) {
  const struct {
    bool from_utf8;
    std::string input, expected;
  } cases[] = {
      {true, "", ""},
      {true,
       "\xC4\x8C\xC4\x8D\xC4\x86\xC4\x87\xC4\x90\xC4\x91\xC5\xA0\xC5\xA1\xC5\xBD\xC5\xBE\xE2\x80"
       "\x9E",
       "\xC8\xE8\xC6\xE6\xD0\xF0\x8A\x9A\x8E\x9E\x84"},
      // ž is replaced before „ is looked for, so the 9E it leaves completes a „.
      {true, "\xE2\x80\xC5\xBE", "\x84"},
      {true, "\xE2\x80\xC5\xBD", "\xE2\x80\x8E"},
      {true, "\xC4\xC4\x8C\xC5", "\xC4\xC8\xC5"},
      {true, "\xE2\x80", "\xE2\x80"},
      // Other letters and Windows-1250 bytes already there stay.
      {true, "\xC3\xA4\xC5\x81\xC8 utf-8", "\xC3\xA4\xC5\x81\xC8 utf-8"},
      {false, "", ""},
      // The 9E of a freshly written „ is not expanded again.
      {false, "\xC8\xE8\xC6\xE6\xD0\xF0\x8A\x9A\x8E\x9E\x84",
       "\xC4\x8C\xC4\x8D\xC4\x86\xC4\x87\xC4\x90\xC4\x91\xC5\xA0\xC5\xA1\xC5\xBD\xC5\xBE\xE2\x80"
       "\x9E"},
      // Bytes inside other UTF-8 sequences are expanded too: D0 of Џ is Đ.
      {false, "\xD0\x8F", "\xC4\x90\x8F"},
      {false, "\xA3\xE4 windows-1250", "\xA3\xE4 windows-1250"},
  };
  for (const auto& c : cases) {
    std::string text = c.input;
    EXPECT_EQ(ConvertEncoding(text, c.from_utf8), c.expected) << c.from_utf8 << " " << c.input;
  }
}

TEST(DisplayText, Cp1250ToUtf8) {
  const Case cases[] = {
      {"abc", "abc"},
      {"\x80\x84\x8A\x9E\xA3\xC8\xD0\xE8\xF0\xFF",
       "\xE2\x82\xAC\xE2\x80\x9E\xC5\xA0\xC5\xBE\xC5\x81\xC4\x8C\xC4\x90\xC4\x8D\xC4\x91\xCB\x99"},
      {"\x81\x83\x88\x90\x98", "\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD"},
      {std::string("\0\x7F", 2), std::string("\0\x7F", 2)},
  };
  for (const Case& c : cases) EXPECT_EQ(Cp1250ToUtf8(c.input), c.expected) << c.input;
}

TEST(DisplayText, EveryDefinedByteSurvivesTheRoundTrip) {
  for (int c = 1; c < 256; ++c) {
    std::string byte(1, static_cast<char>(c));
    std::string back;
    KeptCharacters kept;
    DecodeUtf8(Cp1250ToUtf8(byte), /*cyrillic=*/false, &back, &kept);
    bool undefined = c == 0x81 || c == 0x83 || c == 0x88 || c == 0x90 || c == 0x98;
    EXPECT_EQ(back, undefined ? std::string(1, kKeptMark) : byte) << c;  // U+FFFD is kept
    EXPECT_EQ(kept.empty(), !undefined) << c;
  }
}

// The eight-byte fold and the sixteen-byte letter test against the byte tables: every byte in
// every place, beside bytes that would carry into it or borrow from it if the arithmetic leaked
// between bytes.
TEST(ManyBytesAtOnce, AgreeWithTheByteTablesEverywhere) {
  for (int c = 0; c < 256; ++c) {
    for (int k = 0; k < 16; ++k) {
      char bytes[16];
      for (int j = 0; j < 16; ++j) bytes[j] = static_cast<char>(0x3D * j);
      bytes[k] = static_cast<char>(c);
      const unsigned letters = WordLetterMask16(bytes), capitals = CapitalMask16(bytes);
      char small[16];
      ToLower16(bytes, small);
      for (int j = 0; j < 16; ++j) {
        const auto b = static_cast<unsigned char>(bytes[j]);
        ASSERT_EQ(((letters >> j) & 1) != 0, IsWordLetter(b)) << c;
        ASSERT_EQ(((capitals >> j) & 1) != 0, IsWordLetter(b) && ToLowerByte(b) != b) << c;
        ASSERT_EQ(static_cast<unsigned char>(small[j]), ToLowerByte(b)) << c;
      }
    }
  }
  for (int c = 0; c < 256; ++c) {
    for (unsigned filler : {0x00u, 0x40u, 0x5Au, 0x7Fu, 0x80u, 0x8Au, 0xC8u, 0xFFu}) {
      for (int k = 0; k < 8; ++k) {
        std::uint64_t x = 0x0101010101010101ull * filler;
        x = (x & ~(0xFFull << (8 * k))) | std::uint64_t(c) << (8 * k);
        const std::uint64_t folded = ToLower8(x);
        for (int j = 0; j < 8; ++j)
          ASSERT_EQ((folded >> (8 * j)) & 0xFF, ToLowerByte((x >> (8 * j)) & 0xFF))
              << c << " " << k;
      }
    }
  }
}

}  // namespace
}  // namespace lorvan
