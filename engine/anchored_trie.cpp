#include "engine/anchored_trie.h"

#include <algorithm>

#include "encoding/letters.h"

namespace lorvan {

AnchoredTrie::AnchoredTrie(bool fold) : fold_(fold), building_(1) {
  for (int byte = 0; byte < 256; ++byte) {
    auto c = static_cast<unsigned char>(byte);
    key_[c] = fold ? ToLowerByte(c) : c;
  }
}

void AnchoredTrie::Add(std::string_view pattern, std::size_t entry) {
  depth_ = std::max(depth_, pattern.size());
  if (pattern.size() < kShortestFiltered) {
    short_first_[static_cast<unsigned char>(pattern[0])] = true;
  } else {
    const std::size_t n = std::min(pattern.size(), kFilterBytes);
    const std::uint32_t slot = FilterSlot(FilterKey(LoadUpTo8(pattern.data(), n)) & LowBytes(n), n);
    filter_[slot >> 6] |= std::uint64_t{1} << (slot & 63);
    filtered_lengths_ |= 1u << n;
  }
  std::uint32_t node = 0;
  for (char c : pattern) {
    auto byte = static_cast<unsigned char>(c);
    auto& edges = building_[node].edges;
    auto it =
        std::find_if(edges.begin(), edges.end(), [byte](const auto& e) { return e.first == byte; });
    if (it != edges.end()) {
      node = it->second;
      continue;
    }
    auto next = static_cast<std::uint32_t>(building_.size());
    edges.emplace_back(byte, next);
    building_.emplace_back();
    node = next;
  }
  building_[node].entries.push_back(entry);
}

// Node numbers stay those of the building trie; only the edges and entries are packed.
void AnchoredTrie::Build() {
  nodes_.resize(building_.size());
  for (std::size_t k = 0; k < building_.size(); ++k) {
    BuildNode& old = building_[k];
    std::sort(old.edges.begin(), old.edges.end());
    Node& node = nodes_[k];
    node.first_edge = static_cast<std::uint32_t>(edge_bytes_.size());
    node.edge_count = static_cast<std::uint32_t>(old.edges.size());
    for (const auto& [byte, target] : old.edges) {
      edge_bytes_.push_back(byte);
      edge_targets_.push_back(target);
    }
    node.first_entry = static_cast<std::uint32_t>(entries_.size());
    node.entry_count = static_cast<std::uint32_t>(old.entries.size());
    entries_.insert(entries_.end(), old.entries.begin(), old.entries.end());
  }
  for (int byte = 0; byte < 256; ++byte)
    root_[byte] = Child(nodes_[0], key_[static_cast<unsigned char>(byte)]);
  building_.clear();
  building_.shrink_to_fit();
  LayChains();
}

void AnchoredTrie::LayChains() {
  // A node the chain of its parent runs through takes a tail of that chain; every other node
  // of one edge heads a chain of its own.
  auto passes_through = [&](std::uint32_t node) {
    return nodes_[node].edge_count == 1 && nodes_[node].entry_count == 0;
  };
  std::vector<bool> inside(nodes_.size(), false);
  for (const Node& node : nodes_)
    if (node.edge_count == 1 && passes_through(edge_targets_[node.first_edge]))
      inside[edge_targets_[node.first_edge]] = true;
  std::vector<std::uint32_t> path;
  for (std::uint32_t head = 0; head < nodes_.size(); ++head) {
    if (nodes_[head].edge_count != 1 || inside[head]) continue;
    path.clear();
    const auto first = static_cast<std::uint32_t>(chain_bytes_.size());
    std::uint32_t node = head;
    for (;;) {
      path.push_back(node);
      chain_bytes_.push_back(edge_bytes_[nodes_[node].first_edge]);
      node = edge_targets_[nodes_[node].first_edge];
      if (!passes_through(node)) break;
    }
    const auto length = static_cast<std::uint32_t>(path.size());
    for (std::uint32_t k = 0; k < length; ++k) {
      Node& on_path = nodes_[path[k]];
      on_path.chain_first = first + k;
      on_path.chain_length = length - k;
      on_path.chain_target = node;
    }
  }
  chain_bytes_.resize(chain_bytes_.size() + 8);
}

bool AnchoredTrie::ChainAt(const Node& n, const char* p) const {
  const unsigned char* chain = chain_bytes_.data() + n.chain_first;
  std::size_t i = 0;
  for (; i + 8 <= n.chain_length; i += 8) {
    const std::uint64_t text = Load8(p + i);
    if ((fold_ ? ToLower8(text) : text) != Load8(chain + i)) return false;
  }
  for (; i < n.chain_length; ++i)
    if (key_[static_cast<unsigned char>(p[i])] != chain[i]) return false;
  return true;
}

std::uint32_t AnchoredTrie::SearchedChild(const Node& n, unsigned char byte) const {
  const unsigned char* first = edge_bytes_.data() + n.first_edge;
  const unsigned char* last = first + n.edge_count;
  const unsigned char* it = std::lower_bound(first, last, byte);
  if (it == last || *it != byte) return 0;
  return edge_targets_[static_cast<std::size_t>(it - edge_bytes_.data())];
}

}  // namespace lorvan
