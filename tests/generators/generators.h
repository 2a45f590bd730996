// Random words, lines and word dictionaries for differential tests and benchmarks: Serbian-like
// text in Windows-1250 with every case shape, Croatian letters, punctuation and tags.
#pragma once

#include <cstdint>
#include <random>
#include <string>

namespace lorvan::testing {

class TextGenerator {
 public:
  explicit TextGenerator(std::uint32_t seed) : rng_(seed) {}

  // A word of word letters only, from a small alphabet so that words repeat; length in
  // [min_length, max_length].
  std::string Word(int min_length, int max_length);
  // word in a random case shape: small, Capitalised, CAPITALS, or mixed.
  std::string RandomCase(std::string word);
  // A line of words separated by spaces and punctuation, sometimes with prepositions
  // (s, sa, k, ka), short words (da, SO), digits, commas and HTML tags.
  std::string Line(int words);

  int Uniform(int low, int high) { return std::uniform_int_distribution<int>(low, high)(rng_); }
  bool Chance(double p) { return std::bernoulli_distribution(p)(rng_); }
  std::mt19937& rng() { return rng_; }

 private:
  std::mt19937 rng_;
};

// A source word of word letters in any case shape, 1 to 18 letters, that now and then starts
// with a letter of the shared bucket (Q W X Y or a Croatian letter).
std::string SourceWord(TextGenerator& gen);
// A target of one to three small-letter words, now and then empty or capitalised.
std::string TargetText(TextGenerator& gen);
// The bytes of a word file of `lines` CR LF lines: mostly pairs, some blank and note lines.
std::string WordFileText(TextGenerator& gen, int lines);

}  // namespace lorvan::testing
