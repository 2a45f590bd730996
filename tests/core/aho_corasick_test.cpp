#include "engine/aho_corasick.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

namespace lorvan {
namespace {

std::vector<std::size_t> SetBits(const BitSet& bits) {
  std::vector<std::size_t> set;
  for (std::size_t i = bits.NextSet(0); i < bits.size(); i = bits.NextSet(i + 1)) set.push_back(i);
  return set;
}

TEST(BitSet, NextSetCrossesWords) {
  BitSet bits;
  bits.Resize(130);
  for (std::size_t i : {0, 63, 64, 129}) bits.Set(i);
  EXPECT_EQ(SetBits(bits), (std::vector<std::size_t>{0, 63, 64, 129}));
  EXPECT_EQ(bits.NextSet(130), 130u);
  bits.Clear();
  EXPECT_EQ(bits.NextSet(0), 130u);
}

// Dense tables of no rows beyond the root, a few rows, and the default size.
constexpr std::size_t kDenseSizes[] = {0, 40, AhoCorasick::kDefaultDenseCells};

std::vector<std::size_t> Find(const AhoCorasick& matcher, std::string_view text,
                              std::size_t entry_count) {
  BitSet seen, entries;
  seen.Resize(matcher.pattern_count());
  entries.Resize(entry_count);
  matcher.FindEntries(text, seen, entries);
  return SetBits(entries);
}

TEST(AhoCorasick, FindsNestedOverlappingAndSharedPatterns) {
  const std::vector<std::string> patterns = {"he", "she", "his", "hers", "e", "she", "x", "rs"};
  const std::pair<std::string, std::vector<std::size_t>> cases[] = {
      {"ushers", {0, 1, 3, 4, 5, 7}}, {"hi his", {2}}, {"", {}}, {"hhhhe", {0, 4}},
      {"sher\xe8x", {0, 1, 4, 5, 6}},
  };
  for (std::size_t dense : kDenseSizes) {
    AhoCorasick matcher(dense);
    for (std::size_t i = 0; i < patterns.size(); ++i) matcher.Add(patterns[i], i);
    matcher.Build();
    EXPECT_EQ(matcher.pattern_count(), 7u);
    for (const auto& [text, expected] : cases)
      EXPECT_EQ(Find(matcher, text, patterns.size()), expected) << text << " dense " << dense;
  }
}

TEST(AhoCorasick, MatchesPlainSearchOnRandomPatterns) {
  std::mt19937 rng(5);
  auto random_text = [&rng](int max_length) {
    std::string text(std::uniform_int_distribution<int>(1, max_length)(rng), 'a');
    for (char& c : text) c = "abc\xe8 "[std::uniform_int_distribution<int>(0, 4)(rng)];
    return text;
  };
  for (int round = 0; round < 300; ++round) {
    std::vector<std::string> patterns;
    for (int i = 0; i < 30; ++i) patterns.push_back(random_text(6));
    std::size_t dense = kDenseSizes[round % 3];
    AhoCorasick matcher(dense);
    for (std::size_t i = 0; i < patterns.size(); ++i) matcher.Add(patterns[i], i);
    matcher.Build();
    for (int n = 0; n < 10; ++n) {
      std::string text = random_text(40);
      std::vector<std::size_t> expected;
      for (std::size_t i = 0; i < patterns.size(); ++i)
        if (text.find(patterns[i]) != std::string::npos) expected.push_back(i);
      ASSERT_EQ(Find(matcher, text, patterns.size()), expected) << text << " dense " << dense;
    }
  }
}

}  // namespace
}  // namespace lorvan
