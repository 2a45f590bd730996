// Multi-pattern search: which entries of a list have their pattern somewhere in a text, found
// in one pass over the text (Aho–Corasick automaton with sparse transitions).
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>
#include <utility>
#include <vector>

namespace lorvan {

// A fixed number of bits, all clear after Resize or Clear.
class BitSet {
 public:
  void Resize(std::size_t size);
  void Clear();
  void Set(std::size_t i) { words_[i >> 6] |= std::uint64_t{1} << (i & 63); }
  bool Test(std::size_t i) const { return (words_[i >> 6] >> (i & 63)) & 1; }
  // The first set bit at or after from, or size() when there is none.
  std::size_t NextSet(std::size_t from) const;
  std::size_t size() const { return size_; }

 private:
  std::vector<std::uint64_t> words_;
  std::size_t size_ = 0;
};

// Patterns are compared byte for byte; fold the patterns and the text beforehand for a search
// without regard to letter case.
class AhoCorasick {
 public:
  AhoCorasick();

  // Reports entry whenever pattern occurs. Several entries may share one pattern.
  // REQUIRES: pattern is not empty; Build() has not been called yet.
  void Add(std::string_view pattern, std::size_t entry);
  // Computes the failure links; call once after the last Add.
  void Build();

  // Number of distinct patterns added.
  std::size_t pattern_count() const { return pattern_entries_.size(); }
  // Sets the bit of every entry whose pattern occurs in text; bits already set stay set.
  // seen is scratch of at least pattern_count() bits; it is cleared here.
  // REQUIRES: Build() has been called; entries is large enough for every entry added.
  void FindEntries(std::string_view text, BitSet& seen, BitSet& entries) const;

 private:
  struct Node {
    std::int32_t fail = 0;
    std::int32_t pattern = -1;  // id of the pattern that ends here, or -1
    std::int32_t report = -1;   // nearest node with a pattern on the fail chain, self included
    std::uint32_t first_edge = 0;
    std::uint32_t edge_count = 0;
  };

  std::int32_t Child(std::int32_t node, unsigned char byte) const;
  std::int32_t Step(std::int32_t node, unsigned char byte) const;
  void FlattenEdges();
  void LinkFailures();
  void Report(std::int32_t node, BitSet& seen, BitSet& entries) const;

  std::vector<Node> nodes_;
  std::vector<unsigned char> edge_bytes_;  // children of each node, sorted by byte
  std::vector<std::int32_t> edge_targets_;
  std::int32_t root_next_[256] = {};  // the root's transitions, dense
  std::vector<std::vector<std::pair<unsigned char, std::int32_t>>> building_edges_;
  std::vector<std::vector<std::size_t>> pattern_entries_;
};

}  // namespace lorvan
