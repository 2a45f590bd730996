#include "reference/generators.h"

#include "encoding/letters.h"

namespace lorvan::testing {
namespace {

// Small letters weighted towards a few, so random words collide with dictionary sources.
constexpr std::string_view kLetters = "aaeeiioousnrtkmlvpzdgjbhc\xe8\xe6\xf0\x9a\x9e";
constexpr std::string_view kPunctuation[] = {" ",  " ", " ", " ",   ", ", ". ",     "! ",
                                             "? ", "-", "'", " \"", "2",  " 1999 ", ";"};
constexpr std::string_view kSpecials[] = {
    "s",    "sa",       "k",       "ka", "S",  "Sa",  "K",       "KA",
    "da",   "DA",       "SO",      "So", "mn", "<b>", "</p><p>", "<a href=\"x\">",
    "\x84", "\xc4\x8d", "\xc5\xbe"};

}  // namespace

std::string TextGenerator::Word(int min_length, int max_length) {
  int length = Uniform(min_length, max_length);
  std::string word;
  for (int i = 0; i < length; ++i)
    word += kLetters[static_cast<std::size_t>(Uniform(0, static_cast<int>(kLetters.size()) - 1))];
  return word;
}

std::string TextGenerator::RandomCase(std::string word) {
  switch (Uniform(0, 5)) {
    case 0:
    case 1:
      return word;
    case 2:
      if (!word.empty())
        word[0] = static_cast<char>(ToUpperByte(static_cast<unsigned char>(word[0])));
      return word;
    case 3:
      ToUpperInPlace(word);
      return word;
    default:
      for (char& c : word)
        if (Chance(0.4)) c = static_cast<char>(ToUpperByte(static_cast<unsigned char>(c)));
      return word;
  }
}

std::string TextGenerator::Line(int words) {
  std::string line;
  for (int i = 0; i < words; ++i) {
    if (Chance(0.15)) {
      line += kSpecials[static_cast<std::size_t>(Uniform(0, std::size(kSpecials) - 1))];
    } else {
      line += RandomCase(Word(1, 9));
    }
    line += Chance(0.75)
                ? std::string_view(" ")
                : kPunctuation[static_cast<std::size_t>(Uniform(0, std::size(kPunctuation) - 1))];
  }
  return line;
}

std::string TextGenerator::Bytes(int length) {
  std::string bytes;
  for (int i = 0; i < length; ++i) {
    char c;
    do c = static_cast<char>(Uniform(0, 255));
    while (c == '\r' || c == '\n');
    bytes += c;
  }
  return bytes;
}

}  // namespace lorvan::testing
