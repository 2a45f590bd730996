// The phrase and name passes against the literal entry-by-entry passes on lines longer than
// kLongLine, which the passes cut into pieces at barrier bytes, and on short lines, with
// random grouped lists that hold patterns too long for the matcher.
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

TEST(PassesDifferential, LongAndShortLinesAndLongPatterns) {
  // A tiny vocabulary in Windows-1250 (\350 is č), so that sources, keys and lines meet,
  // overlap and nest; the joins of the line are barriers, bytes no list holds.
  static constexpr std::string_view kPieces[] = {"da",    "li",        "je", "a", "ko", "ne", "ka",
                                                 "\350e", "\232i\346", " ",  " ", ", ", "1",  "."};
  static constexpr std::string_view kJoins[] = {"!", "; ", "(", "\")", "?"};
  for (std::uint32_t seed = 1; seed <= 12; ++seed) {
    std::mt19937 rng(seed);
    auto uniform = [&rng](int low, int high) {
      return std::uniform_int_distribution<int>(low, high)(rng);
    };
    // Vocabulary pieces, some letters capitals; with `word`, the first piece is letters.
    auto text = [&](int min, int max, bool word = false) {
      std::string text;
      for (int n = uniform(min, max); n > 0; --n) text += kPieces[uniform(0, word ? 8 : 13)];
      for (int n = word ? uniform(0, 2) : 0; n > 0; --n) text += kPieces[uniform(0, 13)];
      for (char& c : text)
        if (uniform(0, 4) == 0) c = static_cast<char>(ToUpperByte(static_cast<unsigned char>(c)));
      return text;
    };
    // From seed 4 on every pair is a space and a word, then more: the phrase pass then looks
    // for the pairs at word starts only.
    const std::string lead = seed > 3 ? " " : "";
    std::vector<PhraseEntry> list;
    std::vector<NameEntry> names;
    for (int i = 0; i < 60; ++i) {
      const int count = uniform(-1, 8);  // a header's count: a wrong one or none at all
      // Word boundaries: a space before and after the source.
      const std::string before = !lead.empty() || uniform(0, 1) ? " " : "";
      const std::string after = uniform(0, 1) ? " " : "";
      if (uniform(0, 5) == 0) {
        list.push_back({"#" + text(1, 2), count < 0 ? "x" : std::to_string(count)});
      } else {
        const std::string source = lead.empty() ? text(1, 3) : text(1, 1, /*word=*/true);
        list.push_back({before + source + after, text(0, 3)});
      }
      if (i % 3 == 0) names.push_back({"K" + text(1, 2), text(0, 2)});
    }
    std::string long_pattern;
    while (long_pattern.size() <= kLongestMatchedPattern) long_pattern += text(2, 4, true);
    list.insert(list.begin() + uniform(0, 60), {lead + long_pattern, text(0, 2)});
    list.insert(list.begin() + uniform(0, 60), {"#" + long_pattern, "2"});
    names.push_back({"X" + long_pattern, "y"});

    std::string line;
    while (line.size() <= kLongLine + 100) line += text(1, 30) + std::string(kJoins[uniform(0, 4)]);
    if (seed % 2 == 0) line += long_pattern + "X" + long_pattern;
    std::string fast = line;
    PhrasePass phrases(list);
    phrases.Apply(fast);
    EXPECT_TRUE(fast == reference::ApplyPhrasesLiteral(line, list)) << "phrases, seed " << seed;
    // Short lines, where one occurrence's replacement often makes or breaks another's.
    for (int k = 0; k < 4000; ++k) {
      const std::string short_line = text(1, 12);
      fast = short_line;
      phrases.Apply(fast);
      EXPECT_TRUE(fast == reference::ApplyPhrasesLiteral(short_line, list))
          << "phrases, seed " << seed << ", line \"" << short_line << '"';
    }
    fast = line;
    NamePass(names).Apply(fast);
    EXPECT_TRUE(fast == reference::ApplyNamesLiteral(line, names)) << "names, seed " << seed;
  }
}

}  // namespace
}  // namespace lorvan
