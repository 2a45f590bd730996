#include "engine/aho_corasick.h"

#include <algorithm>
#include <bit>
#include <deque>

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

AhoCorasick::AhoCorasick() : nodes_(1), building_edges_(1) {}

void AhoCorasick::Add(std::string_view pattern, std::size_t entry) {
  std::int32_t node = 0;
  for (char c : pattern) {
    auto byte = static_cast<unsigned char>(c);
    auto& edges = building_edges_[static_cast<std::size_t>(node)];
    auto it =
        std::find_if(edges.begin(), edges.end(), [byte](const auto& e) { return e.first == byte; });
    if (it != edges.end()) {
      node = it->second;
      continue;
    }
    auto next = static_cast<std::int32_t>(nodes_.size());
    edges.emplace_back(byte, next);
    nodes_.emplace_back();
    building_edges_.emplace_back();
    node = next;
  }
  Node& end = nodes_[static_cast<std::size_t>(node)];
  if (end.pattern < 0) {
    end.pattern = static_cast<std::int32_t>(pattern_entries_.size());
    pattern_entries_.emplace_back();
  }
  pattern_entries_[static_cast<std::size_t>(end.pattern)].push_back(entry);
}

void AhoCorasick::Build() {
  FlattenEdges();
  LinkFailures();
}

void AhoCorasick::FlattenEdges() {
  for (std::size_t n = 0; n < nodes_.size(); ++n) {
    auto& edges = building_edges_[n];
    std::sort(edges.begin(), edges.end());
    nodes_[n].first_edge = static_cast<std::uint32_t>(edge_bytes_.size());
    nodes_[n].edge_count = static_cast<std::uint32_t>(edges.size());
    for (const auto& [byte, target] : edges) {
      edge_bytes_.push_back(byte);
      edge_targets_.push_back(target);
    }
  }
  building_edges_.clear();
  building_edges_.shrink_to_fit();
  for (int c = 0; c < 256; ++c) {
    std::int32_t child = Child(0, static_cast<unsigned char>(c));
    root_next_[c] = child < 0 ? 0 : child;
  }
}

// Breadth-first, so that every node's failure target is final before its children need it.
void AhoCorasick::LinkFailures() {
  std::deque<std::int32_t> queue;
  for (std::uint32_t e = 0; e < nodes_[0].edge_count; ++e) queue.push_back(edge_targets_[e]);
  while (!queue.empty()) {
    std::int32_t node = queue.front();
    queue.pop_front();
    Node& current = nodes_[static_cast<std::size_t>(node)];
    const Node& fail = nodes_[static_cast<std::size_t>(current.fail)];
    current.report = current.pattern >= 0 ? node : fail.report;
    for (std::uint32_t e = current.first_edge; e < current.first_edge + current.edge_count; ++e) {
      std::int32_t child = edge_targets_[e];
      nodes_[static_cast<std::size_t>(child)].fail = Step(current.fail, edge_bytes_[e]);
      queue.push_back(child);
    }
  }
}

std::int32_t AhoCorasick::Child(std::int32_t node, unsigned char byte) const {
  const Node& n = nodes_[static_cast<std::size_t>(node)];
  auto first = edge_bytes_.begin() + n.first_edge;
  auto last = first + n.edge_count;
  auto it = n.edge_count <= 8 ? std::find(first, last, byte) : std::lower_bound(first, last, byte);
  if (it == last || *it != byte) return -1;
  return edge_targets_[static_cast<std::size_t>(it - edge_bytes_.begin())];
}

std::int32_t AhoCorasick::Step(std::int32_t node, unsigned char byte) const {
  while (node != 0) {
    std::int32_t child = Child(node, byte);
    if (child >= 0) return child;
    node = nodes_[static_cast<std::size_t>(node)].fail;
  }
  return root_next_[byte];
}

void AhoCorasick::FindEntries(std::string_view text, BitSet& seen, BitSet& entries) const {
  seen.Clear();
  std::int32_t node = 0;
  for (char c : text) {
    node = Step(node, static_cast<unsigned char>(c));
    if (nodes_[static_cast<std::size_t>(node)].report >= 0) Report(node, seen, entries);
  }
}

// Marks the patterns that end at node. Once a pattern is marked, every pattern on its fail
// chain has been marked with it, so the walk stops at the first one already seen.
void AhoCorasick::Report(std::int32_t node, BitSet& seen, BitSet& entries) const {
  for (std::int32_t r = nodes_[static_cast<std::size_t>(node)].report; r >= 0;) {
    const Node& hit = nodes_[static_cast<std::size_t>(r)];
    auto pattern = static_cast<std::size_t>(hit.pattern);
    if (seen.Test(pattern)) return;
    seen.Set(pattern);
    for (std::size_t entry : pattern_entries_[pattern]) entries.Set(entry);
    r = nodes_[static_cast<std::size_t>(hit.fail)].report;
  }
}

}  // namespace lorvan
