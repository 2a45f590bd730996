#include "engine/aho_corasick.h"

#include <algorithm>
#include <bit>

namespace lorvan {

void BitSet::Resize(std::size_t size) {
  size_ = size;
  words_.assign((size + 63) / 64, 0);
}

void BitSet::Clear() { std::fill(words_.begin(), words_.end(), 0); }

std::size_t BitSet::NextSet(std::size_t from) const {
  if (from >= size_) return size_;
  std::size_t w = from >> 6;
  std::uint64_t bits = words_[w] & (~std::uint64_t{0} << (from & 63));
  while (bits == 0) {
    if (++w == words_.size()) return size_;
    bits = words_[w];
  }
  return std::min(size_, (w << 6) + static_cast<std::size_t>(std::countr_zero(bits)));
}

AhoCorasick::AhoCorasick(std::size_t dense_cells) : trie_(1), dense_cells_(dense_cells) {}

void AhoCorasick::Add(std::string_view pattern, std::size_t entry) {
  max_pattern_length_ = std::max(max_pattern_length_, pattern.size());
  std::int32_t node = 0;
  for (char c : pattern) {
    auto byte = static_cast<unsigned char>(c);
    auto& edges = trie_[static_cast<std::size_t>(node)].edges;
    auto it =
        std::find_if(edges.begin(), edges.end(), [byte](const auto& e) { return e.first == byte; });
    if (it != edges.end()) {
      node = it->second;
      continue;
    }
    auto next = static_cast<std::int32_t>(trie_.size());
    edges.emplace_back(byte, next);
    trie_.emplace_back();
    node = next;
  }
  std::int32_t& id = trie_[static_cast<std::size_t>(node)].pattern;
  if (id < 0) id = static_cast<std::int32_t>(pattern_count_++);
  added_.emplace_back(id, entry);
}

void AhoCorasick::Build() {
  NumberNodesBreadthFirst();
  ListEntriesByPattern();
  NumberByteClasses();
  LinkFailures();
  EncodeCells();
  for (int byte = 0; byte < 256; ++byte)
    root_stays_[byte] = dense_[byte_class_[byte]] == 0;  // back to the root, nothing to report
}

// Copies the trie into nodes_ in breadth-first order, with each node's edges sorted by byte.
void AhoCorasick::NumberNodesBreadthFirst() {
  std::vector<std::int32_t> order{0}, new_id(trie_.size(), 0);
  for (std::size_t k = 0; k < order.size(); ++k) {
    auto& edges = trie_[static_cast<std::size_t>(order[k])].edges;
    std::sort(edges.begin(), edges.end());
    for (const auto& edge : edges) {
      new_id[static_cast<std::size_t>(edge.second)] = static_cast<std::int32_t>(order.size());
      order.push_back(edge.second);
    }
  }
  nodes_.resize(order.size());
  for (std::size_t k = 0; k < order.size(); ++k) {
    const TrieNode& old = trie_[static_cast<std::size_t>(order[k])];
    nodes_[k].pattern = old.pattern;
    nodes_[k].first_edge = static_cast<std::uint32_t>(edge_bytes_.size());
    nodes_[k].edge_count = static_cast<std::uint32_t>(old.edges.size());
    for (const auto& [byte, target] : old.edges) {
      edge_bytes_.push_back(byte);
      edge_targets_.push_back(new_id[static_cast<std::size_t>(target)]);
    }
  }
  trie_.clear();
  trie_.shrink_to_fit();
}

// Groups the entries by pattern, each group in the order the entries were added.
void AhoCorasick::ListEntriesByPattern() {
  entry_start_.assign(pattern_count_ + 1, 0);
  for (const auto& [pattern, entry] : added_) ++entry_start_[static_cast<std::size_t>(pattern) + 1];
  for (std::size_t p = 0; p < pattern_count_; ++p) entry_start_[p + 1] += entry_start_[p];
  entry_list_.resize(added_.size());
  std::vector<std::size_t> next(entry_start_.begin(), entry_start_.end() - 1);
  for (const auto& [pattern, entry] : added_)
    entry_list_[next[static_cast<std::size_t>(pattern)]++] = entry;
  added_.clear();
  added_.shrink_to_fit();
}

void AhoCorasick::NumberByteClasses() {
  for (unsigned char byte : edge_bytes_) {
    if (byte_class_[byte] == 0) byte_class_[byte] = static_cast<unsigned char>(class_count_++);
  }
  std::size_t rows = std::max<std::size_t>(1, dense_cells_ / class_count_);
  dense_nodes_ = static_cast<std::int32_t>(std::min(rows, nodes_.size()));
  dense_.assign(static_cast<std::size_t>(dense_nodes_) * class_count_, 0);
}

// In breadth-first order a node's failure target, nearer the root, is complete (with its
// dense row, if the node gets one) before the node itself is handled.
void AhoCorasick::LinkFailures() {
  report_.assign(nodes_.size(), -1);
  report_links_.assign(nodes_.size(), ReportLink{});
  for (std::int32_t node = 0; node < static_cast<std::int32_t>(nodes_.size()); ++node) {
    const Node& current = nodes_[static_cast<std::size_t>(node)];
    if (node != 0) {
      const std::int32_t on_fail_chain = report_[static_cast<std::size_t>(current.fail)];
      report_[static_cast<std::size_t>(node)] = current.pattern >= 0 ? node : on_fail_chain;
      report_links_[static_cast<std::size_t>(node)] = ReportLink{current.pattern, on_fail_chain};
    }
    if (node < dense_nodes_) FillDenseRow(node);
    for (std::uint32_t e = current.first_edge; e < current.first_edge + current.edge_count; ++e) {
      nodes_[static_cast<std::size_t>(edge_targets_[e])].fail =
          node == 0 ? 0 : BuildingStep(current.fail, edge_bytes_[e]);
    }
  }
}

// The node's own children, and for every other byte class the failure target's transition.
void AhoCorasick::FillDenseRow(std::int32_t node) {
  const Node& current = nodes_[static_cast<std::size_t>(node)];
  auto row =
      dense_.begin() + static_cast<std::ptrdiff_t>(static_cast<std::size_t>(node) * class_count_);
  if (node != 0) {
    auto fail_row = dense_.begin() + static_cast<std::ptrdiff_t>(
                                         static_cast<std::size_t>(current.fail) * class_count_);
    std::copy_n(fail_row, class_count_, row);
  }
  for (std::uint32_t e = current.first_edge; e < current.first_edge + current.edge_count; ++e)
    row[byte_class_[edge_bytes_[e]]] = static_cast<std::uint32_t>(edge_targets_[e]);
}

void AhoCorasick::EncodeCells() {
  for (std::uint32_t& cell : dense_) cell = Cell(static_cast<std::int32_t>(cell));
}

std::uint32_t AhoCorasick::Cell(std::int32_t node) const {
  auto n = static_cast<std::size_t>(node);
  std::size_t state = node < dense_nodes_ ? n * class_count_ : dense_.size() + n;
  return static_cast<std::uint32_t>(state) | (report_[n] >= 0 ? kReports : 0);
}

std::int32_t AhoCorasick::NodeOf(std::uint32_t state) const {
  if (state < dense_.size()) return static_cast<std::int32_t>(state / class_count_);
  return static_cast<std::int32_t>(state - dense_.size());
}

std::int32_t AhoCorasick::Child(std::int32_t node, unsigned char byte) const {
  const Node& n = nodes_[static_cast<std::size_t>(node)];
  auto first = edge_bytes_.begin() + n.first_edge;
  auto last = first + n.edge_count;
  auto it = n.edge_count <= 8 ? std::find(first, last, byte) : std::lower_bound(first, last, byte);
  if (it == last || *it != byte) return -1;
  return edge_targets_[static_cast<std::size_t>(it - edge_bytes_.begin())];
}

std::int32_t AhoCorasick::BuildingStep(std::int32_t node, unsigned char byte) const {
  for (;;) {
    if (node < dense_nodes_)
      return static_cast<std::int32_t>(
          dense_[static_cast<std::size_t>(node) * class_count_ + byte_class_[byte]]);
    std::int32_t child = Child(node, byte);
    if (child >= 0) return child;
    node = nodes_[static_cast<std::size_t>(node)].fail;
  }
}

std::uint32_t AhoCorasick::SparseStep(std::int32_t node, unsigned char byte) const {
  for (;;) {
    if (node < dense_nodes_)
      return dense_[static_cast<std::size_t>(node) * class_count_ + byte_class_[byte]];
    std::int32_t child = Child(node, byte);
    if (child >= 0) return Cell(child);
    node = nodes_[static_cast<std::size_t>(node)].fail;
  }
}

void AhoCorasick::FindEntries(std::string_view text, BitSet& seen, BitSet& entries) const {
  seen.Clear();
  const std::uint32_t* dense = dense_.data();
  const std::size_t dense_size = dense_.size();
  std::uint32_t state = 0;  // the root
  const char* p = text.data();
  const char* const end = p + text.size();
  while (p < end) {
    if (state == 0) {
      // At the root most bytes start no pattern: pass over them without the table walk.
      while (p < end && root_stays_[static_cast<unsigned char>(*p)]) ++p;
      if (p == end) break;
    }
    auto byte = static_cast<unsigned char>(*p++);
    std::uint32_t cell =
        state < dense_size ? dense[state + byte_class_[byte]] : SparseStep(NodeOf(state), byte);
    state = cell & ~kReports;
    if (cell & kReports) Report(NodeOf(state), seen, entries);
  }
}

// Marks the patterns that end at node. Once a pattern is marked, every pattern on its fail
// chain has been marked with it, so the walk stops at the first one already seen.
void AhoCorasick::Report(std::int32_t node, BitSet& seen, BitSet& entries) const {
  for (std::int32_t r = report_[static_cast<std::size_t>(node)]; r >= 0;) {
    const ReportLink& link = report_links_[static_cast<std::size_t>(r)];
    auto pattern = static_cast<std::size_t>(link.pattern);
    if (seen.Test(pattern)) return;
    seen.Set(pattern);
    for (std::size_t k = entry_start_[pattern]; k < entry_start_[pattern + 1]; ++k)
      entries.Set(entry_list_[k]);
    r = link.next;
  }
}

}  // namespace lorvan
