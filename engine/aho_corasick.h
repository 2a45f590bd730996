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
  // At most dense_cells transitions are kept in a dense table, for the nodes nearest the
  // root (the root always has its row); the other nodes are searched through their edges.
  explicit AhoCorasick(std::size_t dense_cells = kDefaultDenseCells);

  static constexpr std::size_t kDefaultDenseCells = std::size_t{1} << 16;

  // Reports entry whenever pattern occurs. Several entries may share one pattern.
  // REQUIRES: pattern is not empty; Build() has not been called yet.
  void Add(std::string_view pattern, std::size_t entry);
  // Computes the failure links; call once after the last Add.
  void Build();

  // Number of distinct patterns added.
  std::size_t pattern_count() const { return pattern_count_; }
  std::size_t max_pattern_length() const { return max_pattern_length_; }
  // Sets the bit of every entry whose pattern occurs in text; bits already set stay set.
  // seen is scratch of at least pattern_count() bits; it is cleared here.
  // REQUIRES: Build() has been called; entries is large enough for every entry added.
  void FindEntries(std::string_view text, BitSet& seen, BitSet& entries) const;

 private:
  struct Node {
    std::int32_t fail = 0;
    std::int32_t pattern = -1;  // id of the pattern that ends here, or -1
    std::uint32_t first_edge = 0;
    std::uint32_t edge_count = 0;
  };
  struct ReportLink {
    std::int32_t pattern = -1;  // the pattern that ends at this node
    std::int32_t next = -1;     // the next node with a pattern on the fail chain, or -1
  };
  struct TrieNode {
    std::vector<std::pair<unsigned char, std::int32_t>> edges;
    std::int32_t pattern = -1;
  };

  std::int32_t Child(std::int32_t node, unsigned char byte) const;
  // The transition of node on byte while dense cells still hold plain node numbers.
  std::int32_t BuildingStep(std::int32_t node, unsigned char byte) const;
  // The transition of a node without a dense row, as a cell.
  std::uint32_t SparseStep(std::int32_t node, unsigned char byte) const;
  void NumberNodesBreadthFirst();
  void ListEntriesByPattern();
  void NumberByteClasses();
  void LinkFailures();
  void FillDenseRow(std::int32_t node);
  void EncodeCells();
  std::uint32_t Cell(std::int32_t node) const;
  std::int32_t NodeOf(std::uint32_t state) const;
  void Report(std::int32_t node, BitSet& seen, BitSet& entries) const;

  std::vector<TrieNode> trie_;        // while patterns are added; empty after Build()
  std::vector<Node> nodes_;           // breadth-first: every node after the nodes nearer the root
  std::vector<std::int32_t> report_;  // nearest node with a pattern on the fail chain, or -1
  std::vector<ReportLink> report_links_;   // for the nodes where a pattern ends
  std::vector<unsigned char> edge_bytes_;  // children of each node, sorted by byte
  std::vector<std::int32_t> edge_targets_;
  // Bytes that occur in some pattern get classes 1..n, every other byte class 0.
  unsigned char byte_class_[256] = {};
  std::size_t class_count_ = 1;
  bool root_stays_[256] = {};  // bytes on which the root goes to itself and reports nothing
  // Complete transitions (failures resolved) of nodes 0 .. dense_nodes_ - 1, a row each.
  // Once built, a cell holds the target as a state: the start of its row for a node with a
  // row, dense_.size() + node number for the others; kReports marks a target that reports.
  static constexpr std::uint32_t kReports = std::uint32_t{1} << 31;
  std::vector<std::uint32_t> dense_;
  std::int32_t dense_nodes_ = 1;
  std::size_t dense_cells_;
  std::vector<std::pair<std::int32_t, std::size_t>> added_;  // pattern and entry, until Build()
  std::size_t pattern_count_ = 0;
  std::vector<std::size_t>
      entry_start_;  // the entries of pattern p: entry_list_[start[p], start[p + 1])
  std::vector<std::size_t> entry_list_;
  std::size_t max_pattern_length_ = 0;
};

}  // namespace lorvan
