#include "dictionary/word_table.h"

#include <algorithm>
#include <bit>

#include "encoding/letters.h"

namespace lorvan {
namespace {

constexpr std::size_t kFirstSlotCount = 16;
constexpr std::size_t kHeadBytes = 8;

unsigned char Folded(char c) { return ToLowerByte(static_cast<unsigned char>(c)); }

// True when the bytes of word from the ninth on, folded, equal tail.
bool TailMatches(std::string_view word, const char* tail) {
  for (std::size_t i = kHeadBytes; i < word.size(); ++i)
    if (static_cast<char>(Folded(word[i])) != tail[i - kHeadBytes]) return false;
  return true;
}

}  // namespace

WordTable::WordTable() = default;

// The head and the length are hashed in one multiplication; only the bytes beyond the head
// go through FNV-1a one by one. A final mix spreads every bit over the low ones, which pick
// the slot.
WordTable::Key WordTable::KeyOf(std::string_view text) {
  Key key;
  key.length = static_cast<std::uint32_t>(text.size());
  const std::size_t head_bytes = std::min(text.size(), kHeadBytes);
  for (std::size_t i = 0; i < head_bytes; ++i)
    key.head |= std::uint64_t{Folded(text[i])} << (8 * i);
  std::uint64_t hash = (key.head ^ key.length) * 0x9E3779B97F4A7C15ull;
  for (std::size_t i = kHeadBytes; i < text.size(); ++i)
    hash = (hash ^ Folded(text[i])) * 1099511628211ull;
  hash ^= hash >> 32;
  hash *= 0xD6E8FEB86659FD93ull;
  key.hash = hash ^ (hash >> 32);
  return key;
}

std::size_t WordTable::Probe(const Partition& partition, const Key& key, std::string_view word) {
  const std::size_t mask = partition.slots.size() - 1;
  for (std::size_t i = static_cast<std::size_t>(key.hash) & mask;; i = (i + 1) & mask) {
    const Slot& slot = partition.slots[i];
    if (slot.target == kNoTarget) return i;
    if (slot.head == key.head && slot.length == key.length &&
        (key.length <= kHeadBytes ||
         TailMatches(word, partition.tails.data() + partition.tail_offsets[i])))
      return i;
  }
}

void WordTable::Add(std::string_view source, std::string_view target) {
  int bucket = BucketOfCode(static_cast<unsigned char>(source.empty() ? ' ' : source[0]));
  std::vector<std::string>& targets = targets_[bucket];
  targets.emplace_back(target);
  Partition& partition = partitions_[bucket][LengthClass(source.size())];
  if (2 * (partition.used + 1) > partition.slots.size()) Grow(partition);
  Key key = KeyOf(source);
  std::size_t i = Probe(partition, key, source);
  Slot& slot = partition.slots[i];
  if (slot.target != kNoTarget) return;  // the earlier pair stays in force
  slot = {key.head, static_cast<std::uint32_t>(targets.size() - 1), key.length};
  partition.tail_offsets[i] = static_cast<std::uint32_t>(partition.tails.size());
  for (std::size_t k = kHeadBytes; k < source.size(); ++k)
    partition.tails.push_back(static_cast<char>(Folded(source[k])));
  ++partition.used;
  if (++sources_ > filter_.capacity() && filter_.CanGrow()) RebuildFilter(2 * sources_);
  filter_.Add(key.hash);
}

void WordTable::RebuildFilter(std::size_t keys) {
  filter_.Reset(keys);
  for (const auto& bucket : partitions_) {
    for (const Partition& partition : bucket) {
      for (std::size_t i = 0; i < partition.slots.size(); ++i) {
        if (partition.slots[i].target != kNoTarget)
          filter_.Add(KeyOf(FoldedSource(partition, i)).hash);
      }
    }
  }
}

const std::string* WordTable::Find(int bucket, int length_class, std::string_view word) const {
  if (bucket < 0 || bucket >= kBucketCount || length_class < 0 || length_class >= kLengthClassCount)
    return nullptr;
  const Partition& partition = partitions_[bucket][length_class];
  if (partition.used == 0) return nullptr;
  const Key key = KeyOf(word);
  if (!filter_.MayContain(key.hash)) return nullptr;
  const Slot& slot = partition.slots[Probe(partition, key, word)];
  return slot.target == kNoTarget ? nullptr : &targets_[bucket][slot.target];
}

std::int64_t WordTable::Count(int bucket) const {
  if (bucket < 0 || bucket >= kBucketCount) return 0;
  return static_cast<std::int64_t>(targets_[bucket].size());
}

std::int64_t WordTable::Total() const {
  std::int64_t total = 0;
  for (const auto& targets : targets_) total += static_cast<std::int64_t>(targets.size());
  return total;
}

std::string WordTable::FoldedSource(const Partition& partition, std::size_t i) {
  // head holds the first bytes little-endian (byte k at bits 8k), so its memory is those
  // bytes in order.
  static_assert(std::endian::native == std::endian::little);
  const Slot& slot = partition.slots[i];
  std::string folded(reinterpret_cast<const char*>(&slot.head),
                     std::min<std::size_t>(slot.length, kHeadBytes));
  if (slot.length > kHeadBytes)
    folded.append(partition.tails, partition.tail_offsets[i], slot.length - kHeadBytes);
  return folded;
}

void WordTable::Grow(Partition& partition) {
  std::size_t size = partition.slots.empty() ? kFirstSlotCount : 2 * partition.slots.size();
  std::vector<Slot> slots(size);
  std::vector<std::uint32_t> tail_offsets(size);
  const std::size_t mask = size - 1;
  for (std::size_t old = 0; old < partition.slots.size(); ++old) {
    const Slot& slot = partition.slots[old];
    if (slot.target == kNoTarget) continue;
    std::size_t i = static_cast<std::size_t>(KeyOf(FoldedSource(partition, old)).hash) & mask;
    while (slots[i].target != kNoTarget) i = (i + 1) & mask;
    slots[i] = slot;
    tail_offsets[i] = partition.tail_offsets[old];
  }
  partition.slots.swap(slots);
  partition.tail_offsets.swap(tail_offsets);
}

}  // namespace lorvan
