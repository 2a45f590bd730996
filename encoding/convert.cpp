#include "encoding/convert.h"

#include <array>
#include <cstring>
#include <string_view>

#include "common/find_bytes.h"
#include "encoding/letters.h"

namespace lorvan {
namespace {

// Č č Ć ć Đ đ Š š Ž ž „ in that order; the quotation mark comes last.
constexpr std::array<std::string_view, 11> kUtf8Forms = {
    "\xC4\x8C", "\xC4\x8D", "\xC4\x86", "\xC4\x87", "\xC4\x90",    "\xC4\x91",
    "\xC5\xA0", "\xC5\xA1", "\xC5\xBD", "\xC5\xBE", "\xE2\x80\x9E"};
constexpr std::array<std::string_view, 11> kCp1250Forms = {
    "\xC8", "\xE8", "\xC6", "\xE6", "\xD0", "\xF0", "\x8A", "\x9A", "\x8E", "\x9E", "\x84"};
constexpr std::size_t kQuoteSlot = 10;

// byte_of[lead - 0xC4][second]: the Windows-1250 byte of the letter that the UTF-8 pair
// lead, second encodes, or 0 when the pair is not one of the ten letters.
struct ShrinkTable {
  unsigned char byte_of[2][256]{};
};

constexpr ShrinkTable BuildShrinkTable() {
  ShrinkTable t;
  for (std::size_t k = 0; k < kQuoteSlot; ++k) {
    auto lead = static_cast<unsigned char>(kUtf8Forms[k][0]);
    auto second = static_cast<unsigned char>(kUtf8Forms[k][1]);
    t.byte_of[lead - 0xC4][second] = static_cast<unsigned char>(kCp1250Forms[k][0]);
  }
  return t;
}

// form_of[byte]: the UTF-8 form that replaces a Windows-1250 byte (empty: the byte stays).
struct ExpandTable {
  std::array<std::string_view, 256> form_of{};
};

constexpr ExpandTable BuildExpandTable() {
  ExpandTable t;
  for (std::size_t k = 0; k < kUtf8Forms.size(); ++k)
    t.form_of[static_cast<unsigned char>(kCp1250Forms[k][0])] = kUtf8Forms[k];
  return t;
}

constexpr ShrinkTable kShrink = BuildShrinkTable();
constexpr ExpandTable kExpand = BuildExpandTable();

constexpr auto kQuoteByte = static_cast<unsigned char>(kCp1250Forms[kQuoteSlot][0]);

// Length of the quotation mark's UTF-8 form at text[i], counting a final 9E written as the
// UTF-8 form of ž (C5 BE): that ž becomes 9E before the quotation marks are looked for, so
// E2 80 C5 BE is a quotation mark too. 0 when there is none.
std::size_t QuoteLengthAt(const std::string& text, std::size_t i) {
  std::size_t n = text.size();
  if (i + 2 >= n || text[i + 1] != '\x80') return 0;
  auto third = static_cast<unsigned char>(text[i + 2]);
  if (third == kSmallZCaron) return 3;
  if (third == 0xC5 && i + 3 < n &&
      kShrink.byte_of[1][static_cast<unsigned char>(text[i + 3])] == kSmallZCaron)
    return 4;
  return 0;
}

// The bytes that can begin the UTF-8 form of a letter or of the quotation mark.
constexpr std::array<char, 3> kFormLeads = {'\xC4', '\xC5', '\xE2'};

// Replaces the UTF-8 forms by single bytes. The text only shrinks, so it is compacted in
// place: the write position never passes the read position. Everything before the first
// byte that can begin a form stays where it is, untouched; the stretches between such bytes
// are moved in one piece.
void ShrinkInPlace(std::string& text) {
  const std::size_t n = text.size();
  std::size_t r = FindAnyOf3(text, 0, kFormLeads);
  std::size_t w = r;
  while (r < n) {
    // text[r] may begin a form.
    auto c = static_cast<unsigned char>(text[r]);
    std::size_t length = 0;
    unsigned char single = 0;
    if ((c == 0xC4 || c == 0xC5) && r + 1 < n) {
      single = kShrink.byte_of[c - 0xC4][static_cast<unsigned char>(text[r + 1])];
      length = single != 0 ? 2 : 0;
    } else if (c == 0xE2) {
      length = QuoteLengthAt(text, r);
      single = kQuoteByte;
    }
    if (length != 0) {
      text[w++] = static_cast<char>(single);
      r += length;
    } else {
      text[w++] = text[r++];
    }
    const std::size_t next = FindAnyOf3(text, r, kFormLeads);
    if (w != r) std::memmove(&text[w], &text[r], next - r);
    w += next - r;
    r = next;
  }
  text.resize(w);
}

// Replaces the single bytes by UTF-8 forms. The only form that holds a byte of the table is
// „ (E2 80 9E), and ž's 9E is expanded before it is written, so every byte is expanded on its
// own: the text is grown once and filled from the back.
void ExpandInPlace(std::string& text) {
  std::size_t n = text.size(), grown = n;
  for (char c : text) {
    std::size_t length = kExpand.form_of[static_cast<unsigned char>(c)].size();
    if (length != 0) grown += length - 1;
  }
  if (grown == n) return;
  text.resize(grown);
  std::size_t w = grown;
  for (std::size_t r = n; r-- > 0;) {
    std::string_view form = kExpand.form_of[static_cast<unsigned char>(text[r])];
    if (form.empty()) {
      text[--w] = text[r];
    } else {
      w -= form.size();
      form.copy(&text[w], form.size());
    }
  }
}

}  // namespace

std::string& ConvertEncoding(std::string& text, bool from_utf8) {
  if (from_utf8) {
    ShrinkInPlace(text);
  } else {
    ExpandInPlace(text);
  }
  return text;
}

}  // namespace lorvan
