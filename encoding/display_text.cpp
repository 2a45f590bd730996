#include "encoding/display_text.h"

#include <array>

namespace lorvan {
namespace {

// The character of each Windows-1250 byte from 80 to FF; 0 where the byte has none.
constexpr std::array<char32_t, 128> kUpperHalf = {
    0x20AC, 0x0000, 0x201A, 0x0000, 0x201E, 0x2026, 0x2020, 0x2021,  // 80
    0x0000, 0x2030, 0x0160, 0x2039, 0x015A, 0x0164, 0x017D, 0x0179,  // 88
    0x0000, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,  // 90
    0x0000, 0x2122, 0x0161, 0x203A, 0x015B, 0x0165, 0x017E, 0x017A,  // 98
    0x00A0, 0x02C7, 0x02D8, 0x0141, 0x00A4, 0x0104, 0x00A6, 0x00A7,  // A0
    0x00A8, 0x00A9, 0x015E, 0x00AB, 0x00AC, 0x00AD, 0x00AE, 0x017B,  // A8
    0x00B0, 0x00B1, 0x02DB, 0x0142, 0x00B4, 0x00B5, 0x00B6, 0x00B7,  // B0
    0x00B8, 0x0105, 0x015F, 0x00BB, 0x013D, 0x02DD, 0x013E, 0x017C,  // B8
    0x0154, 0x00C1, 0x00C2, 0x0102, 0x00C4, 0x0139, 0x0106, 0x00C7,  // C0
    0x010C, 0x00C9, 0x0118, 0x00CB, 0x011A, 0x00CD, 0x00CE, 0x010E,  // C8
    0x0110, 0x0143, 0x0147, 0x00D3, 0x00D4, 0x0150, 0x00D6, 0x00D7,  // D0
    0x0158, 0x016E, 0x00DA, 0x0170, 0x00DC, 0x00DD, 0x0162, 0x00DF,  // D8
    0x0155, 0x00E1, 0x00E2, 0x0103, 0x00E4, 0x013A, 0x0107, 0x00E7,  // E0
    0x010D, 0x00E9, 0x0119, 0x00EB, 0x011B, 0x00ED, 0x00EE, 0x010F,  // E8
    0x0111, 0x0144, 0x0148, 0x00F3, 0x00F4, 0x0151, 0x00F6, 0x00F7,  // F0
    0x0159, 0x016F, 0x00FA, 0x0171, 0x00FC, 0x00FD, 0x0163, 0x02D9,  // F8
};

constexpr char32_t kReplacementCharacter = 0xFFFD;

// Appends character c (below U+10000) to out in UTF-8.
void AppendUtf8(char32_t c, std::string& out) {
  if (c < 0x80) {
    out.push_back(static_cast<char>(c));
  } else if (c < 0x800) {
    out.push_back(static_cast<char>(0xC0 | (c >> 6)));
    out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
  } else {
    out.push_back(static_cast<char>(0xE0 | (c >> 12)));
    out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
  }
}

constexpr char32_t kNoCharacter = 0xFFFFFFFF;

// How many continuation bytes follow a UTF-8 lead byte; 0 for a byte that cannot lead.
std::size_t ContinuationCount(unsigned char lead) {
  if (lead >= 0xC2 && lead <= 0xDF) return 1;
  if (lead >= 0xE0 && lead <= 0xEF) return 2;
  if (lead >= 0xF0 && lead <= 0xF4) return 3;
  return 0;
}

// Decodes the UTF-8 sequence at text[i]: stores its length in *length and returns the
// character, or returns kNoCharacter with *length 1 when text[i] starts no well-formed
// sequence.
char32_t DecodeUtf8(std::string_view text, std::size_t i, std::size_t* length) {
  auto lead = static_cast<unsigned char>(text[i]);
  *length = 1;
  if (lead < 0x80) return lead;
  std::size_t extra = ContinuationCount(lead);
  if (extra == 0 || extra >= text.size() - i) return kNoCharacter;
  char32_t c = lead & (0x3F >> extra);
  for (std::size_t k = 1; k <= extra; ++k) {
    auto next = static_cast<unsigned char>(text[i + k]);
    if ((next & 0xC0) != 0x80) return kNoCharacter;
    c = (c << 6) | (next & 0x3F);
  }
  constexpr char32_t kSmallest[] = {0, 0x80, 0x800, 0x10000};
  if (c < kSmallest[extra] || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) return kNoCharacter;
  *length = extra + 1;
  return c;
}

// Stores the Windows-1250 byte of character c in *byte; false when it has none.
bool Cp1250ByteOf(char32_t c, char* byte) {
  if (c < 0x80) {
    *byte = static_cast<char>(c);
    return true;
  }
  for (std::size_t k = 0; k < kUpperHalf.size(); ++k) {
    if (kUpperHalf[k] == c) {
      *byte = static_cast<char>(0x80 + k);
      return true;
    }
  }
  return false;
}

}  // namespace

std::string Cp1250ToUtf8(std::string_view text) {
  std::string out;
  out.reserve(text.size() + text.size() / 4);
  for (char byte : text) {
    auto c = static_cast<unsigned char>(byte);
    char32_t character = c < 0x80 ? c : kUpperHalf[c - 0x80];
    AppendUtf8(c >= 0x80 && character == 0 ? kReplacementCharacter : character, out);
  }
  return out;
}

std::string Utf8ToCp1250(std::string_view utf8, bool* lossless) {
  std::string out;
  out.reserve(utf8.size());
  bool all_kept = true;
  for (std::size_t i = 0; i < utf8.size();) {
    std::size_t length;
    char byte;
    if (!Cp1250ByteOf(DecodeUtf8(utf8, i, &length), &byte)) {
      byte = '?';
      all_kept = false;
    }
    out.push_back(byte);
    i += length;
  }
  if (lossless != nullptr) *lossless = all_kept;
  return out;
}

}  // namespace lorvan
