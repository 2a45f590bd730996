// Which patterns of a list begin at one given place of a text: a trie walked from that place
// without failure links. For passes whose patterns can only occur at a few places of a line
// (the start of a word, a byte that begins a pattern), a walk from each such place costs far
// less than a multi-pattern scan over every byte.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>
#include <utility>
#include <vector>

#include "engine/aho_corasick.h"

namespace lorvan {

class AnchoredTrie {
 public:
  // With fold, patterns are given in small letters and the text is folded as it is read.
  explicit AnchoredTrie(bool fold);

  // Reports entry where pattern begins. Several entries may share one pattern.
  // REQUIRES: pattern is not empty; Build() has not been called yet.
  void Add(std::string_view pattern, std::size_t entry);
  // Lays the trie out for walking; call once after the last Add.
  void Build();

  bool empty() const { return depth_ == 0; }
  // The length of the longest pattern.
  std::size_t depth() const { return depth_; }
  // True when some pattern begins with byte. REQUIRES: Build() has been called.
  bool Begins(unsigned char byte) const { return root_[byte] != 0; }
  // Sets the bit of every entry whose pattern begins at p, end being the end of the text;
  // true when it set any. REQUIRES: Build() has been called; p < end.
  bool MarkAt(const char* p, const char* end, BitSet& entries) const {
    std::uint32_t node = root_[static_cast<unsigned char>(*p)];
    bool any = false;
    while (node != 0) {
      const Node& n = nodes_[node];
      if (n.entry_count != 0) any = MarkEntries(n, entries);
      if (++p == end) break;
      node = Child(n, key_[static_cast<unsigned char>(*p)]);
    }
    return any;
  }

 private:
  struct Node {
    std::uint32_t first_edge = 0;
    std::uint32_t edge_count = 0;
    std::uint32_t first_entry = 0;
    std::uint32_t entry_count = 0;
  };
  struct BuildNode {
    std::vector<std::pair<unsigned char, std::uint32_t>> edges;
    std::vector<std::size_t> entries;
  };

  // The child of n on byte (already folded), or 0 (the root) when there is none.
  std::uint32_t Child(const Node& n, unsigned char byte) const;
  bool MarkEntries(const Node& n, BitSet& entries) const;

  std::array<unsigned char, 256> key_{};   // a text byte as the patterns hold it
  std::array<std::uint32_t, 256> root_{};  // the root's child on each text byte, or 0
  std::vector<BuildNode> building_;        // while patterns are added; empty after Build()
  std::vector<Node> nodes_;                // node 0 is the root
  std::vector<unsigned char> edge_bytes_;  // children of each node, sorted by byte
  std::vector<std::uint32_t> edge_targets_;
  std::vector<std::size_t> entries_;
  std::size_t depth_ = 0;
};

}  // namespace lorvan
