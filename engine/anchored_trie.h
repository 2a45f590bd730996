// Which patterns of a list begin at one given place of a text: a trie walked from that place
// without failure links. For passes whose patterns can only occur at a few places of a line
// (the start of a word, a byte that begins a pattern), a walk from each such place costs far
// less than a multi-pattern scan over every byte.
#pragma once

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>
#include <utility>
#include <vector>

#include "common/load8.h"

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

  // The length of the longest pattern.
  std::size_t depth() const { return depth_; }
  // True when some pattern begins with byte. REQUIRES: Build() has been called.
  bool Begins(unsigned char byte) const { return root_[byte] != 0; }
  // False when no pattern begins at p, end being the end of the text, told from its first
  // kFilterBytes bytes alone (with rare false alarms): cheaper than ForEachAt where most
  // places begin none. REQUIRES: Build() has been called; p < end.
  bool MayBeginAt(const char* p, const char* end) const {
    const auto room = static_cast<std::size_t>(end - p);
    if (room < kShortestFiltered) return Begins(Byte(p, 0));
    if (short_first_[key_[Byte(p, 0)]]) return true;
    // The first bytes, byte i at bits 8i, blurred as FilterKey does.
    const std::uint64_t bytes = FilterKey(LoadUpTo8(p, std::min(room, kFilterBytes)));
    // A pattern of length n can begin here only when n bytes are left: each filtered length
    // up to the room is tried, the first kFilterBytes bytes standing for the longer patterns.
    for (std::size_t n = kShortestFiltered; n <= std::min(room, kFilterBytes); ++n) {
      if ((filtered_lengths_ >> n & 1) == 0) continue;
      const std::uint32_t slot = FilterSlot(bytes & LowBytes(n), n);
      if ((filter_[slot >> 6] >> (slot & 63)) & 1) return true;
    }
    return false;
  }
  // Calls on_entry(entry) for every entry whose pattern begins at p, end being the end of
  // the text; true when there was any. REQUIRES: Build() has been called; p < end.
  template <typename OnEntry>
  bool ForEachAt(const char* p, const char* end, OnEntry on_entry) const {
    std::uint32_t node = root_[static_cast<unsigned char>(*p)];
    bool any = false;
    while (node != 0) {
      const Node& n = nodes_[node];
      for (std::uint32_t k = n.first_entry; k < n.first_entry + n.entry_count; ++k) {
        on_entry(entries_[k]);
        any = true;
      }
      if (++p == end) break;
      if (n.chain_length > 1) {
        // The nodes inside a chain report nothing: a walk that leaves it ends there.
        if (static_cast<std::size_t>(end - p) < n.chain_length || !ChainAt(n, p)) break;
        p += n.chain_length - 1;
        node = n.chain_target;
      } else {
        node = Child(n, key_[static_cast<unsigned char>(*p)]);
      }
    }
    return any;
  }

 private:
  static constexpr std::uint32_t kLinearEdges = 8;     // more edges are searched by halves
  static constexpr std::size_t kShortestFiltered = 3;  // shorter patterns: their first byte
  static constexpr std::size_t kFilterBytes = 5;
  static constexpr int kFilterBits = 16;  // the filter holds 2^kFilterBits bits
  struct Node {
    std::uint32_t first_edge = 0;
    std::uint32_t edge_count = 0;
    std::uint32_t first_entry = 0;
    std::uint32_t entry_count = 0;
    // A node of one edge starts a chain: the bytes that lead from it, through nodes of one
    // edge and no entries, to chain_target. They are compared at once.
    std::uint32_t chain_first = 0;  // in chain_bytes_
    std::uint32_t chain_length = 0;
    std::uint32_t chain_target = 0;
  };
  struct BuildNode {
    std::vector<std::pair<unsigned char, std::uint32_t>> edges;
    std::vector<std::size_t> entries;
  };

  // The child of n on byte (already folded), or 0 (the root) when there is none.
  std::uint32_t Child(const Node& n, unsigned char byte) const {
    const unsigned char* const first = edge_bytes_.data() + n.first_edge;
    if (n.edge_count > kLinearEdges) return SearchedChild(n, byte);
    for (std::uint32_t e = 0; e < n.edge_count; ++e)
      if (first[e] == byte) return edge_targets_[n.first_edge + e];
    return 0;
  }
  static unsigned char Byte(const char* p, std::size_t i) {
    return static_cast<unsigned char>(p[i]);
  }
  // Packed bytes as the filter files them. With fold, each byte gets 0x30 set: a capital then
  // looks like its small letter (they differ in 0x20 for A-Z and Ć Č Đ, in 0x10 for Š Ž), which
  // costs far less than folding, at the price of a few more false alarms.
  std::uint64_t FilterKey(std::uint64_t bytes) const {
    return fold_ ? bytes | 0x3030303030303030ull : bytes;
  }
  // Where the first n bytes of a pattern (packed, byte i at bits 8i) are filed: n is the
  // pattern's length, or kFilterBytes for any longer one.
  static std::uint32_t FilterSlot(std::uint64_t prefix, std::size_t n) {
    return static_cast<std::uint32_t>(((prefix ^ n) * 0x9E3779B97F4A7C15ull) >> (64 - kFilterBits));
  }
  // Child for a node of many edges, by binary search.
  std::uint32_t SearchedChild(const Node& n, unsigned char byte) const;
  // True when the text at p, folded as the patterns are, begins with n's chain.
  // REQUIRES: n.chain_length bytes are readable at p.
  bool ChainAt(const Node& n, const char* p) const;
  // Gives every node of one edge its chain. The chains of the nodes along one path share
  // their bytes, each node's a tail of the one before.
  void LayChains();

  std::array<unsigned char, 256> key_{};   // a text byte as the patterns hold it
  std::array<std::uint32_t, 256> root_{};  // the root's child on each text byte, or 0
  // The first bytes of every pattern of at least kShortestFiltered bytes, up to kFilterBytes,
  // hashed; the first bytes of the shorter ones.
  std::array<std::uint64_t, (std::size_t{1} << kFilterBits) / 64> filter_{};
  std::array<bool, 256> short_first_{};
  unsigned filtered_lengths_ = 0;  // bit n set when a pattern's first n bytes are filed
  bool fold_;
  std::vector<BuildNode> building_;        // while patterns are added; empty after Build()
  std::vector<Node> nodes_;                // node 0 is the root
  std::vector<unsigned char> edge_bytes_;  // children of each node, sorted by byte
  std::vector<std::uint32_t> edge_targets_;
  std::vector<std::size_t> entries_;
  std::vector<unsigned char> chain_bytes_;  // eight bytes more at the end, for Load8
  std::size_t depth_ = 0;
};

}  // namespace lorvan
