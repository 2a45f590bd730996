// Random Serbian-like text for the benchmarks at fixed seeds: words and lines in Windows-1250,
// word files, and Serbian Cyrillic lines in UTF-8.
#pragma once

#include <cstdint>
#include <random>
#include <string>
#include <string_view>

#include "encoding/letters.h"

namespace lorvan::testing {

class TextGenerator {
 public:
  explicit TextGenerator(std::uint32_t seed) : rng_(seed) {}

  int Uniform(int low, int high) { return std::uniform_int_distribution<int>(low, high)(rng_); }
  bool Chance(double p) { return std::bernoulli_distribution(p)(rng_); }
  std::mt19937& rng() { return rng_; }

  // A word of small letters, weighted towards a few so that words repeat.
  std::string Word(int min_length, int max_length) {
    static constexpr std::string_view kLetters = "aaeeiioousnrtkmlvpzdgjbhc\xe8\xe6\xf0\x9a\x9e";
    std::string word(static_cast<std::size_t>(Uniform(min_length, max_length)), 'a');
    for (char& c : word) c = kLetters[static_cast<std::size_t>(Uniform(0, kLetters.size() - 1))];
    return word;
  }
  // word small, Capitalised or in CAPITALS.
  std::string RandomCase(std::string word) {
    int shape = Uniform(0, 3);
    for (std::size_t i = 0; i < word.size() && shape >= 2; ++i) {
      if (shape == 3 || i == 0)
        word[i] = static_cast<char>(ToUpperByte(static_cast<unsigned char>(word[i])));
    }
    return word;
  }
  // Words separated by spaces, now and then by punctuation, a preposition or a tag.
  std::string Line(int words) {
    static constexpr std::string_view kOthers[] = {", ", ". ", " s ", " ka ", " <b>", "</p><p>"};
    std::string line;
    for (int i = 0; i < words; ++i)
      line += RandomCase(Word(1, 9)) + std::string(Chance(0.8) ? " " : kOthers[Uniform(0, 5)]);
    return line;
  }

 private:
  std::mt19937 rng_;
};

inline std::string SourceWord(TextGenerator& gen) { return gen.RandomCase(gen.Word(1, 12)); }
inline std::string TargetText(TextGenerator& gen) {
  return gen.Word(1, 10) + (gen.Chance(0.3) ? " " + gen.Word(1, 8) : "");
}
// A word file of `lines` CR LF lines of pairs.
inline std::string WordFileText(TextGenerator& gen, int lines) {
  std::string text;
  for (int i = 0; i < lines; ++i) text += SourceWord(gen) + "\t" + TargetText(gen) + "\r\n";
  return text;
}

// Serbian Cyrillic words in UTF-8 (small letters, some Capitalised) separated by spaces.
inline std::string CyrillicLine(TextGenerator& gen, int words) {
  std::string line;
  for (int i = 0; i < words; ++i) {
    for (int n = gen.Uniform(1, 9), k = 0; k < n; ++k) {
      int code = gen.Uniform(0x30, 0x5F);  // U+0430-U+045F: D0 B0-BF, D1 80-9F
      if (k == 0 && code < 0x40 && gen.Chance(0.2)) code -= 0x20;  // a capital А-П
      line += code < 0x40 ? '\xD0' : '\xD1';
      line += static_cast<char>(code < 0x40 ? 0x80 + code : 0x40 + code);
    }
    line += ' ';
  }
  return line;
}

}  // namespace lorvan::testing
