#include "reference/encoding_reference.h"

#include <vector>

namespace lorvan::reference {
namespace {

struct Slot {
  std::string_view utf8, cp1250;
};

constexpr Slot kSlots[] = {
    {"\xC4\x8C", "\xC8"}, {"\xC4\x8D", "\xE8"}, {"\xC4\x86", "\xC6"},     {"\xC4\x87", "\xE6"},
    {"\xC4\x90", "\xD0"}, {"\xC4\x91", "\xF0"}, {"\xC5\xA0", "\x8A"},     {"\xC5\xA1", "\x9A"},
    {"\xC5\xBD", "\x8E"}, {"\xC5\xBE", "\x9E"}, {"\xE2\x80\x9E", "\x84"},
};

struct Row {
  std::string_view cyrillic, latin, capitals = {};
};

// The transliteration rows in the order they are applied; Џ and џ come last.
// clang-format off
constexpr Row kRows[] = {
    {"\xD0\x90", "A"}, {"\xD0\xB0", "a"}, {"\xD0\x91", "B"}, {"\xD0\xB1", "b"},
    {"\xD0\x92", "V"}, {"\xD0\xB2", "v"}, {"\xD0\x93", "G"}, {"\xD0\xB3", "g"},
    {"\xD0\x94", "D"}, {"\xD0\xB4", "d"}, {"\xD0\x96", "\xC5\xBD"}, {"\xD0\xB6", "\xC5\xBE"},
    {"\xD0\x97", "Z"}, {"\xD0\xB7", "z"}, {"\xD0\x88", "J"}, {"\xD1\x98", "j"},
    {"\xD0\x98", "I"}, {"\xD0\xB8", "i"}, {"\xD0\x8B", "\xC4\x86"}, {"\xD1\x9B", "\xC4\x87"},
    {"\xD0\x82", "\xC4\x90"}, {"\xD1\x92", "\xC4\x91"}, {"\xD0\x9A", "K"}, {"\xD0\xBA", "k"},
    {"\xD0\x9B", "L"}, {"\xD0\xBB", "l"}, {"\xD1\x99", "lj"}, {"\xD0\x89", "Lj", "LJ"},
    {"\xD0\x9C", "M"}, {"\xD0\xBC", "m"}, {"\xD0\x9D", "N"}, {"\xD0\xBD", "n"},
    {"\xD1\x9A", "nj"}, {"\xD0\x8A", "Nj", "NJ"}, {"\xD0\x9E", "O"}, {"\xD0\xBE", "o"},
    {"\xD0\x9F", "P"}, {"\xD0\xBF", "p"}, {"\xD0\xA0", "R"}, {"\xD1\x80", "r"},
    {"\xD0\xA1", "S"}, {"\xD1\x81", "s"}, {"\xD0\xA2", "T"}, {"\xD1\x82", "t"},
    {"\xD0\xA3", "U"}, {"\xD1\x83", "u"}, {"\xD0\x95", "E"}, {"\xD0\xB5", "e"},
    {"\xD0\xA4", "F"}, {"\xD1\x84", "f"}, {"\xD0\xA5", "H"}, {"\xD1\x85", "h"},
    {"\xD0\xA6", "C"}, {"\xD1\x86", "c"}, {"\xD0\xA7", "\xC4\x8C"}, {"\xD1\x87", "\xC4\x8D"},
    {"\xD0\xA8", "\xC5\xA0"}, {"\xD1\x88", "\xC5\xA1"}, {"\xD0\x8F", "D\xC5\xBE", "D\xC5\xBD"},
    {"\xD1\x9F", "d\xC5\xBE"}};
// clang-format on

enum class Case { kNone, kCapital, kSmall };

bool IsPairLead(unsigned char c) { return c == 0xC4 || c == 0xC5 || c == 0xD0 || c == 0xD1; }
bool IsContinuation(unsigned char c) { return (c & 0xC0) == 0x80; }

Case CaseOfCodePoint(unsigned code) {
  if (code >= 'A' && code <= 'Z') return Case::kCapital;
  if (code >= 'a' && code <= 'z') return Case::kSmall;
  if (code >= 0x400 && code <= 0x42F) return Case::kCapital;
  if (code >= 0x430 && code <= 0x45F) return Case::kSmall;
  for (unsigned capital : {0x10C, 0x106, 0x110, 0x160, 0x17D}) {
    if (code == capital) return Case::kCapital;
    if (code == capital + 1) return Case::kSmall;
  }
  return Case::kNone;
}

// The code point of the two-byte sequence at text[i], or of the single byte there.
unsigned CodePointAt(const std::string& text, std::size_t i, bool pair) {
  auto lead = static_cast<unsigned char>(text[i]);
  if (!pair) return lead < 0x80 ? lead : 0;
  return ((lead & 0x1Fu) << 6) | (static_cast<unsigned char>(text[i + 1]) & 0x3Fu);
}

bool PairAt(const std::string& text, std::size_t i) {
  return i + 1 < text.size() && IsPairLead(static_cast<unsigned char>(text[i])) &&
         IsContinuation(static_cast<unsigned char>(text[i + 1]));
}

// The case of the character that starts at text[i].
Case CaseAfter(const std::string& text, std::size_t i) {
  if (i >= text.size()) return Case::kNone;
  return CaseOfCodePoint(CodePointAt(text, i, PairAt(text, i)));
}

// The case of the character that ends right before text[i], read backwards.
Case CaseBefore(const std::string& text, std::size_t i) {
  if (i == 0) return Case::kNone;
  if (i >= 2 && PairAt(text, i - 2)) return CaseOfCodePoint(CodePointAt(text, i - 2, true));
  return CaseOfCodePoint(CodePointAt(text, i - 1, false));
}

// Replaces every occurrence of search in text by replacement, never rescanning a replacement.
// With capitals, each match looks at its neighbours in text: capitals is written next to a
// capital unless a small letter follows.
std::string ReplaceAll(const std::string& text, std::string_view search,
                       std::string_view replacement, std::string_view capitals = {}) {
  std::string out;
  std::size_t resume = 0;
  for (std::size_t match = text.find(search); match != std::string::npos;
       match = text.find(search, resume)) {
    out.append(text, resume, match - resume);
    Case before = CaseBefore(text, match);
    Case after = CaseAfter(text, match + search.size());
    bool use_capitals =
        after == Case::kCapital || (before == Case::kCapital && after != Case::kSmall);
    out.append(!capitals.empty() && use_capitals ? capitals : replacement);
    resume = match + search.size();
  }
  out.append(text, resume);
  return out;
}

}  // namespace

std::string ConvertEncodingBySlots(std::string text, bool from_utf8) {
  for (const Slot& slot : kSlots) {
    text = from_utf8 ? ReplaceAll(text, slot.utf8, slot.cp1250)
                     : ReplaceAll(text, slot.cp1250, slot.utf8);
  }
  return text;
}

std::string CyrillicToLatinByRows(std::string text) {
  for (const Row& row : kRows) text = ReplaceAll(text, row.cyrillic, row.latin, row.capitals);
  return text;
}

bool IsWellFormedUtf8ByTable(std::string_view text) {
  struct Range {
    unsigned char low, high;
  };
  // Each row: the ranges of the first, second, ... byte of one kind of sequence.
  static const std::vector<std::vector<Range>> kRows = {
      {{0x00, 0x7F}},
      {{0xC2, 0xDF}, {0x80, 0xBF}},
      {{0xE0, 0xE0}, {0xA0, 0xBF}, {0x80, 0xBF}},
      {{0xE1, 0xEC}, {0x80, 0xBF}, {0x80, 0xBF}},
      {{0xED, 0xED}, {0x80, 0x9F}, {0x80, 0xBF}},
      {{0xEE, 0xEF}, {0x80, 0xBF}, {0x80, 0xBF}},
      {{0xF0, 0xF0}, {0x90, 0xBF}, {0x80, 0xBF}, {0x80, 0xBF}},
      {{0xF1, 0xF3}, {0x80, 0xBF}, {0x80, 0xBF}, {0x80, 0xBF}},
      {{0xF4, 0xF4}, {0x80, 0x8F}, {0x80, 0xBF}, {0x80, 0xBF}},
  };
  for (std::size_t i = 0; i < text.size();) {
    std::size_t matched = 0;
    for (const auto& row : kRows) {
      std::size_t k = 0;
      while (k < row.size() && i + k < text.size() &&
             static_cast<unsigned char>(text[i + k]) >= row[k].low &&
             static_cast<unsigned char>(text[i + k]) <= row[k].high)
        ++k;
      if (k == row.size()) matched = k;
    }
    if (matched == 0) return false;
    i += matched;
  }
  return true;
}

}  // namespace lorvan::reference
