#include "encoding/cyrillic.h"

#include <array>
#include <cstring>
#include <string_view>

namespace lorvan {
namespace {

// One Serbian Cyrillic letter: its UTF-8 bytes, its Latin letter(s), and for Љ Њ Џ the form
// written inside text in capitals.
struct Letter {
  unsigned char lead, second;
  std::string_view latin;
  std::string_view capitals = {};
};

constexpr Letter kLetters[] = {
    {0xD0, 0x90, "A"},
    {0xD0, 0xB0, "a"},
    {0xD0, 0x91, "B"},
    {0xD0, 0xB1, "b"},
    {0xD0, 0x92, "V"},
    {0xD0, 0xB2, "v"},
    {0xD0, 0x93, "G"},
    {0xD0, 0xB3, "g"},
    {0xD0, 0x94, "D"},
    {0xD0, 0xB4, "d"},
    {0xD0, 0x96, "\xC5\xBD"},
    {0xD0, 0xB6, "\xC5\xBE"},
    {0xD0, 0x97, "Z"},
    {0xD0, 0xB7, "z"},
    {0xD0, 0x88, "J"},
    {0xD1, 0x98, "j"},
    {0xD0, 0x98, "I"},
    {0xD0, 0xB8, "i"},
    {0xD0, 0x8B, "\xC4\x86"},
    {0xD1, 0x9B, "\xC4\x87"},
    {0xD0, 0x82, "\xC4\x90"},
    {0xD1, 0x92, "\xC4\x91"},
    {0xD0, 0x9A, "K"},
    {0xD0, 0xBA, "k"},
    {0xD0, 0x9B, "L"},
    {0xD0, 0xBB, "l"},
    {0xD1, 0x99, "lj"},
    {0xD0, 0x89, "Lj", "LJ"},
    {0xD0, 0x9C, "M"},
    {0xD0, 0xBC, "m"},
    {0xD0, 0x9D, "N"},
    {0xD0, 0xBD, "n"},
    {0xD1, 0x9A, "nj"},
    {0xD0, 0x8A, "Nj", "NJ"},
    {0xD0, 0x9E, "O"},
    {0xD0, 0xBE, "o"},
    {0xD0, 0x9F, "P"},
    {0xD0, 0xBF, "p"},
    {0xD0, 0xA0, "R"},
    {0xD1, 0x80, "r"},
    {0xD0, 0xA1, "S"},
    {0xD1, 0x81, "s"},
    {0xD0, 0xA2, "T"},
    {0xD1, 0x82, "t"},
    {0xD0, 0xA3, "U"},
    {0xD1, 0x83, "u"},
    {0xD0, 0x95, "E"},
    {0xD0, 0xB5, "e"},
    {0xD0, 0xA4, "F"},
    {0xD1, 0x84, "f"},
    {0xD0, 0xA5, "H"},
    {0xD1, 0x85, "h"},
    {0xD0, 0xA6, "C"},
    {0xD1, 0x86, "c"},
    {0xD0, 0xA7, "\xC4\x8C"},
    {0xD1, 0x87, "\xC4\x8D"},
    {0xD0, 0xA8, "\xC5\xA0"},
    {0xD1, 0x88, "\xC5\xA1"},
    {0xD0, 0x8F, "D\xC5\xBE", "D\xC5\xBD"},
    {0xD1, 0x9F, "d\xC5\xBE"},
};

// letter_at[lead - 0xD0][second - 0x80]: the Serbian letter with these UTF-8 bytes, or null.
struct LetterTable {
  std::array<std::array<const Letter*, 64>, 2> letter_at{};
};

constexpr LetterTable BuildLetterTable() {
  LetterTable t;
  for (const Letter& letter : kLetters)
    t.letter_at[letter.lead - 0xD0][letter.second - 0x80] = &letter;
  return t;
}

constexpr LetterTable kLetterTable = BuildLetterTable();

enum class Case { kNone, kCapital, kSmall };

bool IsContinuation(unsigned char c) { return c >= 0x80 && c <= 0xBF; }

// The case of the UTF-8 Latin letter lead, second (one of Č Ć Đ Š Ž č ć đ š ž), or kNone.
Case LatinCase(unsigned char lead, unsigned char second) {
  if (lead == 0xC4) {
    if (second == 0x8C || second == 0x86 || second == 0x90) return Case::kCapital;
    if (second == 0x8D || second == 0x87 || second == 0x91) return Case::kSmall;
  } else if (lead == 0xC5) {
    if (second == 0xA0 || second == 0xBD) return Case::kCapital;
    if (second == 0xA1 || second == 0xBE) return Case::kSmall;
  }
  return Case::kNone;
}

// The case of the Cyrillic letter D0/D1 lead, second (second a continuation byte).
Case CyrillicCase(unsigned char lead, unsigned char second) {
  if (lead == 0xD0) return second < 0xB0 ? Case::kCapital : Case::kSmall;
  return second < 0xA0 ? Case::kSmall : Case::kNone;
}

// Reads the character at text[i]: stores its length in *length and returns its case.
Case CharacterAt(std::string_view text, std::size_t i, std::size_t* length) {
  auto c = static_cast<unsigned char>(text[i]);
  *length = 1;
  if (c >= 'A' && c <= 'Z') return Case::kCapital;
  if (c >= 'a' && c <= 'z') return Case::kSmall;
  if (i + 1 >= text.size()) return Case::kNone;
  auto second = static_cast<unsigned char>(text[i + 1]);
  if ((c == 0xD0 || c == 0xD1) && IsContinuation(second)) {
    *length = 2;
    return CyrillicCase(c, second);
  }
  Case latin = LatinCase(c, second);
  if (latin != Case::kNone) *length = 2;
  return latin;
}

// The Latin form of a Љ Њ Џ between characters of the cases before and after.
std::string_view DigraphForm(const Letter& letter, Case before, Case after) {
  bool capitals = after == Case::kCapital || (before == Case::kCapital && after != Case::kSmall);
  return capitals ? letter.capitals : letter.latin;
}

}  // namespace

std::string& CyrillicToLatin(std::string& text) {
  std::string_view in = text;
  // Every letter converted has a lead byte D0 or D1.
  if (std::memchr(in.data(), '\xD0', in.size()) == nullptr &&
      std::memchr(in.data(), '\xD1', in.size()) == nullptr)
    return text;
  std::string out;
  out.reserve(in.size() + in.size() / 2);
  Case before = Case::kNone;
  for (std::size_t i = 0; i < in.size();) {
    std::size_t length;
    Case here = CharacterAt(in, i, &length);
    auto lead = static_cast<unsigned char>(in[i]);
    const Letter* letter = nullptr;
    if (length == 2 && (lead == 0xD0 || lead == 0xD1))
      letter = kLetterTable.letter_at[lead - 0xD0][static_cast<unsigned char>(in[i + 1]) - 0x80];
    if (letter == nullptr) {
      out.append(in.substr(i, length));
    } else if (letter->capitals.empty()) {
      out.append(letter->latin);
    } else {
      std::size_t next_length;
      Case after = i + 2 < in.size() ? CharacterAt(in, i + 2, &next_length) : Case::kNone;
      out.append(DigraphForm(*letter, before, after));
    }
    before = here;
    i += length;
  }
  text.swap(out);
  return text;
}

}  // namespace lorvan
