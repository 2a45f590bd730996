#include "encoding/display_text.h"

#include "encoding/cp1250_characters.h"

namespace lorvan {
namespace {

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
  for (std::size_t k = 0; k < kCp1250UpperHalf.size(); ++k) {
    if (kCp1250UpperHalf[k] == c) {
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
    char32_t character = c < 0x80 ? c : kCp1250UpperHalf[c - 0x80];
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
