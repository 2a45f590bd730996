#include "generators/encoding_generators.h"

#include <iterator>
#include <string_view>

namespace lorvan::testing {
namespace {

constexpr std::string_view kEncodingPieces[] = {
    "\xC8",         "\xE8",     "\xC6",     "\xE6",     "\xD0",     "\xF0",     "\x8A",
    "\x9A",         "\x8E",     "\x9E",     "\x84",     "\xC4\x8C", "\xC4\x8D", "\xC4\x86",
    "\xC4\x87",     "\xC4\x90", "\xC4\x91", "\xC5\xA0", "\xC5\xA1", "\xC5\xBD", "\xC5\xBE",
    "\xE2\x80\x9E", "\xC4",     "\xC5",     "\xE2",     "\xE2\x80", "\x80",     "\xBE",
    "\xBD",         "\x8C",     "\x90",     "a",        "Z",        " ",        "\xD0\x8F",
    "\xD1\x9F",     "\xD1",
};

constexpr std::string_view kCyrillicWords[] = {
    "љубав", "њива", "џеп",   "наџак",    "ђак",   "ћуприја", "чаша", "шума",
    "жаба",  "југ",  "мајка", "пријатељ", "коњ",   "цвијет",  "хљеб", "фењер",
    "љ",     "њ",    "џ",     "и",        "у",     "са",      "ка",   "дољњи",
    "ѓ",     "ќ",    "я",     "щука",     "объём", "ѣ",       "ЉЊЏ",  "љЊџ",
};

constexpr std::string_view kSeparators[] = {" ",    " ",    " ", ", ", ". ",       "-",
                                            "\"",   "(",    "A", "b",  "\xC4\x8C", "\xC5\xBE",
                                            "\xD0", "\xC4", "1", ""};

template <typename Array>
std::string_view Pick(TextGenerator& gen, const Array& pieces) {
  return pieces[static_cast<std::size_t>(gen.Uniform(0, static_cast<int>(std::size(pieces)) - 1))];
}

// One small Cyrillic letter: a D0 B0-BF or D1 80-9F pair.
std::string SmallCyrillicLetter(TextGenerator& gen) {
  int code = gen.Uniform(0x30, 0x5F);
  char lead = code < 0x40 ? '\xD0' : '\xD1';
  return {lead, static_cast<char>(code < 0x40 ? 0x80 + code : 0x40 + code)};
}

// The capital of the small Cyrillic letter lead, second; other pairs unchanged.
void CapitaliseCyrillicPair(char& lead, char& second) {
  auto l = static_cast<unsigned char>(lead), s = static_cast<unsigned char>(second);
  if (l == 0xD0 && s >= 0xB0 && s <= 0xBF) {
    second = static_cast<char>(s - 0x20);
  } else if (l == 0xD1 && s >= 0x80 && s <= 0x8F) {
    lead = '\xD0';
    second = static_cast<char>(s + 0x20);
  } else if (l == 0xD1 && s >= 0x90 && s <= 0x9F) {
    lead = '\xD0';
    second = static_cast<char>(s - 0x10);
  }
}

// word in a random case shape: small, Capitalised, CAPITALS or each letter at random.
std::string CyrillicCase(TextGenerator& gen, std::string word) {
  int shape = gen.Uniform(0, 3);
  if (shape == 0) return word;
  for (std::size_t i = 0; i + 1 < word.size(); i += 2) {
    if (shape == 3 ? gen.Chance(0.5) : (shape == 2 || i == 0))
      CapitaliseCyrillicPair(word[i], word[i + 1]);
  }
  return word;
}

}  // namespace

std::string EncodingSoup(TextGenerator& gen, int length) {
  std::string out;
  for (int i = 0; i < length; ++i) {
    if (gen.Chance(0.15)) {
      out += static_cast<char>(gen.Uniform(0, 255));
    } else if (gen.Chance(0.1)) {
      out += SmallCyrillicLetter(gen);
    } else {
      out += Pick(gen, kEncodingPieces);
    }
  }
  return out;
}

std::string CyrillicLine(TextGenerator& gen, int words) {
  std::string out;
  for (int i = 0; i < words; ++i) {
    out += CyrillicCase(gen, std::string(gen.Chance(0.1) ? SmallCyrillicLetter(gen)
                                                         : std::string(Pick(gen, kCyrillicWords))));
    out += Pick(gen, kSeparators);
  }
  return out;
}

std::string CyrillicCapitals(std::string text) {
  for (std::size_t i = 0; i + 1 < text.size(); ++i) {
    if (text[i] == '\xD0' || text[i] == '\xD1') CapitaliseCyrillicPair(text[i], text[i + 1]);
  }
  return text;
}

std::string ParagraphFile(TextGenerator& gen, int pieces) {
  constexpr std::string_view kPieces[] = {"</p><", "</P><", "</p>", "<p>", "</p></p><p>",
                                          "<",     "/",     "p",    "P",   ">",
                                          "\r",    "\n",    "\r\n", " ",   "ab"};
  std::string out;
  for (int i = 0; i < pieces; ++i) out += Pick(gen, kPieces);
  return out;
}

}  // namespace lorvan::testing
