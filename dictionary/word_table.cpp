#include "dictionary/word_table.h"

#include <algorithm>
#include <bit>
#include <cstring>
#include <limits>

#include "encoding/letters.h"

namespace lorvan {
namespace {

// Eight bytes are packed into one number little-endian: byte k at bits 8k.
static_assert(std::endian::native == std::endian::little);

constexpr std::size_t kFirstSlotCount = 16;
constexpr std::size_t kHeadBytes = 8;
constexpr std::uint64_t kHighBits = 0x8080808080808080ull;

// The n bytes at p, 0 <= n <= 8, packed into one number; the missing bytes are zero. Reads
// no byte outside them.
std::uint64_t LoadUpTo8(const char* p, std::size_t n) {
  if (n >= 8) {
    std::uint64_t v;
    std::memcpy(&v, p, 8);
    return v;
  }
  if (n >= 4) {  // two loads that overlap in the middle
    std::uint32_t low, high;
    std::memcpy(&low, p, 4);
    std::memcpy(&high, p + n - 4, 4);
    return low | (std::uint64_t{high} << (8 * (n - 4)));
  }
  if (n == 0) return 0;
  auto byte = [p](std::size_t k) { return std::uint64_t{static_cast<unsigned char>(p[k])} << (8 * k); };
  return byte(0) | byte(n / 2) | byte(n - 1);
}

// Eight packed bytes folded to small letters: A-Z without a branch when all are ASCII, byte
// by byte through the letter table otherwise.
std::uint64_t Fold8(std::uint64_t x) {
  constexpr std::uint64_t kOnes = 0x0101010101010101ull;
  if ((x & kHighBits) == 0) {
    const std::uint64_t from_a = x + kOnes * (0x80 - 'A');
    const std::uint64_t beyond_z = x + kOnes * (0x80 - 'Z' - 1);
    return x | ((from_a & ~beyond_z & kHighBits) >> 2);
  }
  std::uint64_t folded = 0;
  for (int k = 0; k < 64; k += 8)
    folded |= std::uint64_t{ToLowerByte(static_cast<unsigned char>(x >> k))} << k;
  return folded;
}

// True when text folded equals the folded bytes at folded, eight at a time.
bool FoldedEquals(std::string_view text, const char* folded) {
  for (std::size_t i = 0; i < text.size(); i += 8) {
    const std::size_t n = std::min(text.size() - i, kHeadBytes);
    if (Fold8(LoadUpTo8(text.data() + i, n)) != LoadUpTo8(folded + i, n)) return false;
  }
  return true;
}

// The bytes of a source beyond its head.
std::size_t TailLength(std::size_t length) { return length > kHeadBytes ? length - kHeadBytes : 0; }

}  // namespace

WordTable::WordTable() = default;

WordTable::Key WordTable::KeyOf(std::string_view text) {
  Key key;
  key.length = text.size();
  key.head = Fold8(LoadUpTo8(text.data(), std::min(text.size(), kHeadBytes)));
  key.hash = HashOf(key.head, key.length, text.data() + std::min(text.size(), kHeadBytes));
  return key;
}

// The head and the length are hashed in one multiplication, the bytes beyond the head eight
// at a time. A final mix spreads every bit over the low ones, which pick the slot.
std::uint64_t WordTable::HashOf(std::uint64_t head, std::size_t length, const char* tail) {
  std::uint64_t hash = (head ^ length) * 0x9E3779B97F4A7C15ull;
  const std::size_t tail_length = TailLength(length);
  for (std::size_t i = 0; i < tail_length; i += 8) {
    const std::uint64_t chunk = Fold8(LoadUpTo8(tail + i, std::min(tail_length - i, kHeadBytes)));
    hash = std::rotl((hash ^ chunk) * 0xC2B2AE3D27D4EB4Full, 31);
  }
  hash ^= hash >> 32;
  hash *= 0xD6E8FEB86659FD93ull;
  return hash ^ (hash >> 32);
}

std::uint64_t WordTable::HashOf(const Slot& slot) const {
  if (slot.target_length == kLongEntry) {
    const std::string& source = long_entries_[slot.offset].source;
    return HashOf(slot.head, source.size(), source.data() + std::min(source.size(), kHeadBytes));
  }
  return HashOf(slot.head, slot.source_length, arena_.data() + slot.offset);
}

std::size_t WordTable::Probe(const Partition& partition, const Key& key,
                             std::string_view word) const {
  const std::size_t mask = partition.slots.size() - 1;
  const auto length = static_cast<std::uint16_t>(std::min<std::size_t>(key.length, kLongEntry));
  for (std::size_t i = static_cast<std::size_t>(key.hash) & mask;; i = (i + 1) & mask) {
    const Slot& slot = partition.slots[i];
    if (slot.source_length == 0) return i;
    if (slot.head == key.head && slot.source_length == length && SourceMatches(slot, word)) return i;
  }
}

bool WordTable::SourceMatches(const Slot& slot, std::string_view word) const {
  if (slot.target_length == kLongEntry) {
    const std::string& source = long_entries_[slot.offset].source;
    return source.size() == word.size() &&
           (word.size() <= kHeadBytes ||
            FoldedEquals(word.substr(kHeadBytes), source.data() + kHeadBytes));
  }
  return word.size() <= kHeadBytes ||
         FoldedEquals(word.substr(kHeadBytes), arena_.data() + slot.offset);
}

std::string_view WordTable::TargetOf(const Slot& slot) const {
  if (slot.target_length == kLongEntry) return long_entries_[slot.offset].target;
  return std::string_view(arena_.data() + slot.offset + TailLength(slot.source_length),
                          slot.target_length);
}

void WordTable::Fill(Slot& slot, const Key& key, std::string_view source,
                     std::string_view target) {
  if (source.size() < kLongEntry && target.size() < kLongEntry &&
      arena_.size() <= std::numeric_limits<std::uint32_t>::max()) {
    slot = {key.head, static_cast<std::uint32_t>(arena_.size()),
            static_cast<std::uint16_t>(source.size()), static_cast<std::uint16_t>(target.size())};
    for (std::size_t k = kHeadBytes; k < source.size(); ++k)
      arena_.push_back(static_cast<char>(ToLowerByte(static_cast<unsigned char>(source[k]))));
    arena_.append(target);
    return;
  }
  slot = {key.head, static_cast<std::uint32_t>(long_entries_.size()),
          static_cast<std::uint16_t>(std::min<std::size_t>(source.size(), kLongEntry)), kLongEntry};
  long_entries_.push_back({ToLowerCopy(source), std::string(target)});
}

void WordTable::Add(std::string_view source, std::string_view target) {
  int bucket = BucketOfCode(static_cast<unsigned char>(source.empty() ? ' ' : source[0]));
  ++counts_[bucket];
  if (source.empty()) return;
  Partition& partition = partitions_[bucket][LengthClass(source.size())];
  if (2 * (partition.used + 1) > partition.slots.size()) Grow(partition);
  Key key = KeyOf(source);
  Slot& slot = partition.slots[Probe(partition, key, source)];
  if (slot.source_length != 0) return;  // the earlier pair stays in force
  Fill(slot, key, source, target);
  ++partition.used;
  if (++sources_ > filter_.capacity() && filter_.CanGrow()) RebuildFilter(2 * sources_);
  filter_.Add(key.hash);
}

void WordTable::RebuildFilter(std::size_t keys) {
  filter_.Reset(keys);
  for (const auto& bucket : partitions_) {
    for (const Partition& partition : bucket) {
      for (const Slot& slot : partition.slots)
        if (slot.source_length != 0) filter_.Add(HashOf(slot));
    }
  }
}

std::optional<std::string_view> WordTable::Find(int bucket, int length_class,
                                                std::string_view word) const {
  if (bucket < 0 || bucket >= kBucketCount || length_class < 0 || length_class >= kLengthClassCount)
    return std::nullopt;
  const Partition& partition = partitions_[bucket][length_class];
  if (partition.used == 0) return std::nullopt;
  const Key key = KeyOf(word);
  if (!filter_.MayContain(key.hash)) return std::nullopt;
  const Slot& slot = partition.slots[Probe(partition, key, word)];
  if (slot.source_length == 0) return std::nullopt;
  return TargetOf(slot);
}

std::int64_t WordTable::Count(int bucket) const {
  if (bucket < 0 || bucket >= kBucketCount) return 0;
  return counts_[bucket];
}

std::int64_t WordTable::Total() const {
  std::int64_t total = 0;
  for (std::int64_t count : counts_) total += count;
  return total;
}

void WordTable::Grow(Partition& partition) {
  std::size_t size = partition.slots.empty() ? kFirstSlotCount : 2 * partition.slots.size();
  std::vector<Slot> slots(size);
  const std::size_t mask = size - 1;
  for (const Slot& slot : partition.slots) {
    if (slot.source_length == 0) continue;
    std::size_t i = static_cast<std::size_t>(HashOf(slot)) & mask;
    while (slots[i].source_length != 0) i = (i + 1) & mask;
    slots[i] = slot;
  }
  partition.slots.swap(slots);
}

}  // namespace lorvan
