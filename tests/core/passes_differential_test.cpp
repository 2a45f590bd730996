// The phrase and name passes against the literal entry-by-entry passes on lines longer than
// kLongLine, which the passes cut into pieces at barrier bytes, with random grouped lists that
// hold patterns too long for the matcher. Short lines are the line-translation fuzz target's.
#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "encoding/letters.h"
#include "engine/barriers.h"
#include "engine/names.h"
#include "engine/phrases.h"
#include "engine/replace_rules.h"
#include "reference/phrase_name_reference.h"

namespace lorvan {
namespace {

// Pieces of a tiny vocabulary in Windows-1250 (\350 is č), so that sources, keys and lines meet,
// overlap and nest; the last ones join words.
constexpr std::string_view kPieces[] = {"da",    "li",        "je", "a", "ko", "ne", "ka",
                                        "\350e", "\232i\346", " ",  " ", ", ", "1",  "."};

class Random {
 public:
  explicit Random(std::uint32_t seed) : rng_(seed) {}
  int Uniform(int low, int high) { return std::uniform_int_distribution<int>(low, high)(rng_); }
  // min to max pieces, each letter now and then a capital.
  std::string Text(int min, int max) {
    std::string text;
    for (int n = Uniform(min, max); n > 0; --n) text += kPieces[Uniform(0, std::size(kPieces) - 1)];
    for (char& c : text)
      if (Uniform(0, 4) == 0) c = static_cast<char>(ToUpperByte(static_cast<unsigned char>(c)));
    return text;
  }
  // Text with, now and then, a space at either end: a word boundary.
  std::string Source(int min, int max) {
    std::string text = Text(min, max);
    return (Uniform(0, 2) == 0 ? " " : "") + text + (Uniform(0, 2) == 0 ? " " : "");
  }

 private:
  std::mt19937 rng_;
};

TEST(PassesDifferential, LongLinesInPiecesAndLongPatterns) {
  static constexpr std::string_view kJoins[] = {"!", "; ", "(", "\")", "?"};
  for (std::uint32_t seed = 1; seed <= 6; ++seed) {
    Random random(seed);
    std::vector<PhraseEntry> list;
    std::vector<NameEntry> names;
    for (int i = 0; i < 60; ++i) {
      if (random.Uniform(0, 5) == 0) {  // a header: a count, a wrong one, or none at all
        const int count = random.Uniform(-1, 8);
        list.push_back({"#" + random.Text(1, 2), count < 0 ? "x" : std::to_string(count)});
      } else {
        list.push_back({random.Source(1, 3), random.Text(0, 3)});
      }
      if (i % 3 == 0) names.push_back({"K" + random.Text(1, 2), random.Text(0, 2)});
    }
    std::string long_pattern;
    while (long_pattern.size() <= kLongestMatchedPattern) long_pattern += random.Text(2, 4);
    list.insert(list.begin() + random.Uniform(0, 60), {long_pattern, random.Text(0, 2)});
    list.insert(list.begin() + random.Uniform(0, 60), {"#" + long_pattern, "2"});
    names.push_back({"X" + long_pattern, "y"});

    std::string line;
    while (line.size() <= kLongLine + 100)
      line += random.Text(1, 30) + std::string(kJoins[random.Uniform(0, std::size(kJoins) - 1)]);
    if (seed % 2 == 0) line += long_pattern + "X" + long_pattern;

    std::string fast = line;
    PhrasePass(list).Apply(fast);
    EXPECT_TRUE(fast == reference::ApplyPhrasesLiteral(line, list)) << "phrases, seed " << seed;
    fast = line;
    NamePass(names).Apply(fast);
    EXPECT_TRUE(fast == reference::ApplyNamesLiteral(line, names)) << "names, seed " << seed;
  }
}

}  // namespace
}  // namespace lorvan
