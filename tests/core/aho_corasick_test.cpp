#include "engine/aho_corasick.h"

#include <gtest/gtest.h>

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

TEST(AhoCorasick, FindsNestedOverlappingAndSharedPatterns) {
  const std::vector<std::string> patterns = {"he", "she", "his", "hers", "e", "she", "x", "rs"};
  AhoCorasick matcher;
  for (std::size_t i = 0; i < patterns.size(); ++i) matcher.Add(patterns[i], i);
  matcher.Build();
  EXPECT_EQ(matcher.pattern_count(), 7u);
  const std::pair<std::string, std::vector<std::size_t>> cases[] = {
      {"ushers", {0, 1, 3, 4, 5, 7}}, {"hi his", {2}}, {"", {}}, {"hhhhe", {0, 4}},
      {"sher\xe8x", {0, 1, 4, 5, 6}},
  };
  BitSet seen, entries;
  seen.Resize(matcher.pattern_count());
  entries.Resize(patterns.size());
  for (const auto& [text, expected] : cases) {
    entries.Clear();
    matcher.FindEntries(text, seen, entries);
    EXPECT_EQ(SetBits(entries), expected) << text;
  }
}

}  // namespace
}  // namespace lorvan
