#include "generators/generators.h"

#include <utility>

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
// First letters that select the shared bucket: q w x y and the Croatian letters.
constexpr std::string_view kSharedFirst = "qwxy\xe8\xe6\xf0\x9a\x9e";

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

std::string SourceWord(TextGenerator& gen) {
  std::string word = gen.Word(1, gen.Chance(0.1) ? 18 : 9);
  if (gen.Chance(0.15))
    word[0] = kSharedFirst[static_cast<std::size_t>(gen.Uniform(0, kSharedFirst.size() - 1))];
  return gen.RandomCase(std::move(word));
}

std::string TargetText(TextGenerator& gen) {
  if (gen.Chance(0.05)) return "";
  std::string target = gen.Word(1, 10);
  for (int words = gen.Uniform(1, 3); words > 1; --words) target += " " + gen.Word(1, 8);
  if (gen.Chance(0.1))
    target[0] = static_cast<char>(ToUpperByte(static_cast<unsigned char>(target[0])));
  return target;
}

std::string WordFileText(TextGenerator& gen, int lines) {
  std::string text;
  for (int i = 0; i < lines; ++i) {
    if (gen.Chance(0.02)) {
      text += gen.Chance(0.5) ? "" : "napomena bez tabulatora";
    } else {
      text += SourceWord(gen) + "\t" + TargetText(gen);
    }
    text += "\r\n";
  }
  return text;
}

}  // namespace lorvan::testing
