#include "dictionary/word_table.h"

#include "encoding/letters.h"

namespace lorvan {
namespace {

constexpr std::size_t kFirstSlotCount = 16;

// FNV-1a over the small-letter form of text, so that every case shape of a word hashes alike.
std::uint64_t FoldedHash(std::string_view text) {
  std::uint64_t hash = 14695981039346656037ull;
  for (char c : text) {
    hash ^= ToLowerByte(static_cast<unsigned char>(c));
    hash *= 1099511628211ull;
  }
  return hash;
}

// True when word, folded to small letters, equals the stored folded key.
bool MatchesFolded(std::string_view word, const char* key) {
  for (std::size_t i = 0; i < word.size(); ++i) {
    if (static_cast<char>(ToLowerByte(static_cast<unsigned char>(word[i]))) != key[i]) return false;
  }
  return true;
}

}  // namespace

WordTable::WordTable() = default;

void WordTable::Add(std::string_view source, std::string_view target) {
  int bucket = BucketOfCode(static_cast<unsigned char>(source.empty() ? ' ' : source[0]));
  std::vector<std::string>& targets = targets_[bucket];
  targets.emplace_back(target);
  Partition& partition = partitions_[bucket][LengthClass(source.size())];
  std::uint64_t hash = FoldedHash(source);
  if (FindSlot(partition, hash, source) != nullptr) return;  // the earlier pair stays in force
  if (2 * (partition.used + 1) > partition.slots.size()) Grow(partition);
  std::size_t mask = partition.slots.size() - 1;
  std::size_t i = static_cast<std::size_t>(hash) & mask;
  while (partition.slots[i].target != kNoTarget) i = (i + 1) & mask;
  Slot& slot = partition.slots[i];
  slot.hash = hash;
  slot.key_offset = partition.keys.size();
  slot.key_length = source.size();
  slot.target = targets.size() - 1;
  partition.keys.append(source);
  for (std::size_t k = slot.key_offset; k < partition.keys.size(); ++k)
    partition.keys[k] =
        static_cast<char>(ToLowerByte(static_cast<unsigned char>(partition.keys[k])));
  ++partition.used;
}

const std::string* WordTable::Find(int bucket, int length_class, std::string_view word) const {
  if (bucket < 0 || bucket >= kBucketCount || length_class < 0 || length_class >= kLengthClassCount)
    return nullptr;
  const Slot* slot = FindSlot(partitions_[bucket][length_class], FoldedHash(word), word);
  return slot == nullptr ? nullptr : &targets_[bucket][slot->target];
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

const WordTable::Slot* WordTable::FindSlot(const Partition& partition, std::uint64_t hash,
                                           std::string_view word) const {
  if (partition.slots.empty()) return nullptr;
  std::size_t mask = partition.slots.size() - 1;
  for (std::size_t i = static_cast<std::size_t>(hash) & mask;; i = (i + 1) & mask) {
    const Slot& slot = partition.slots[i];
    if (slot.target == kNoTarget) return nullptr;
    if (slot.hash == hash && slot.key_length == word.size() &&
        MatchesFolded(word, partition.keys.data() + slot.key_offset))
      return &slot;
  }
}

void WordTable::Grow(Partition& partition) {
  std::size_t size = partition.slots.empty() ? kFirstSlotCount : 2 * partition.slots.size();
  std::vector<Slot> slots(size);
  std::size_t mask = size - 1;
  for (const Slot& slot : partition.slots) {
    if (slot.target == kNoTarget) continue;
    std::size_t i = static_cast<std::size_t>(slot.hash) & mask;
    while (slots[i].target != kNoTarget) i = (i + 1) & mask;
    slots[i] = slot;
  }
  partition.slots.swap(slots);
}

}  // namespace lorvan
