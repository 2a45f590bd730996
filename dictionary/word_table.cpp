#include "dictionary/word_table.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cstring>

#include "common/load8.h"
#include "encoding/letters.h"

namespace lorvan {
namespace {

// Eight bytes are packed into one number as Load8 reads them: byte k at bits 8k.
constexpr std::size_t kHeadBytes = 8;
constexpr std::size_t kRecordHeader = 16;  // an arena record's two lengths
static_assert(WordTable::kPadding == 2 * kHeadBytes, "a padded word is read as two chunks");
static_assert(kBucketCount * kLengthClassCount <= 256, "a partition fits the high byte of a tag");

// The n bytes at p, 1 <= n <= 8, packed into one number, read as the eight bytes that end at
// p + n. REQUIRES: those eight bytes are readable.
std::uint64_t LoadEndingAt(const char* p, std::size_t n) {
  return Load8(p + n - 8) >> (64 - 8 * n);
}

// The masks of a word's two chunks by its length up to kPadding, read from a table: a branch
// on the length would be as hard to foretell as the text.
struct ChunkMasks {
  std::uint64_t head;
  std::uint64_t next;
};
constexpr std::array<ChunkMasks, WordTable::kPadding + 1> MakeChunkMasks() {
  std::array<ChunkMasks, WordTable::kPadding + 1> masks{};
  for (std::size_t n = 1; n <= WordTable::kPadding; ++n)
    masks[n] = {LowBytes(std::min(n, kHeadBytes)), n > kHeadBytes ? LowBytes(n - kHeadBytes) : 0};
  return masks;
}
constexpr std::array<ChunkMasks, WordTable::kPadding + 1> kChunkMasks = MakeChunkMasks();

// The sixteen bytes at p folded to small letters, packed into two numbers.
void Fold16(const char* p, std::uint64_t* low, std::uint64_t* high) {
  alignas(16) char folded[16];
  ToLower16(p, folded);
  *low = Load8(folded);
  *high = Load8(folded + 8);
}

// True when text folded equals the folded bytes at folded, eight at a time.
bool FoldedEquals(std::string_view text, const char* folded) {
  for (std::size_t i = 0; i < text.size(); i += 8) {
    const std::size_t n = std::min(text.size() - i, kHeadBytes);
    if (ToLower8(LoadUpTo8(text.data() + i, n)) != LoadUpTo8(folded + i, n)) return false;
  }
  return true;
}

// The bytes of a source beyond its head.
std::size_t TailLength(std::size_t length) { return length > kHeadBytes ? length - kHeadBytes : 0; }

// The hash takes the head, and the length with the partition, in two multiplications side by
// side, then each further chunk of eight bytes with one more. Its high bits depend on every
// bit of the source and pick the slot; the chain of steps a word of up to sixteen bytes waits
// for is short.
std::uint64_t StartHash(int partition, std::uint64_t head, std::size_t length) {
  const std::uint64_t shape = length | static_cast<std::uint64_t>(partition + 1) << 32;
  return (head * 0x9E3779B97F4A7C15ull) ^ (shape * 0xFF51AFD7ED558CCDull);
}
std::uint64_t HashStep(std::uint64_t hash, std::uint64_t folded_chunk) {
  return (hash ^ folded_chunk) * 0xC2B2AE3D27D4EB4Full;
}

}  // namespace

WordTable::WordTable() { Rehash(kFirstSlotCount); }

// Inlined into Find, where it is most of the work for a word that is not filed.
[[gnu::always_inline]] inline WordTable::Key WordTable::KeyOf(int partition,
                                                              std::string_view text) {
  Key key;
  const char* p = text.data();
  const std::size_t length = text.size();
  key.tag = static_cast<std::uint16_t>(std::min(length, kMaxTagLength) | partition << 8);
  key.head = ToLower8(LoadUpTo8(p, std::min(length, kHeadBytes)));
  std::uint64_t hash = StartHash(partition, key.head, length);
  // Beyond the head, each chunk is read as the eight bytes that end with it. The second chunk
  // enters the hash even when empty, as the lookup of a short word has it at hand either way.
  if (length > kHeadBytes)
    key.next = ToLower8(LoadEndingAt(p + kHeadBytes, std::min(length - kHeadBytes, kHeadBytes)));
  hash = HashStep(hash, key.next);
  for (std::size_t i = 16; i < length; i += 8)
    hash = HashStep(hash, ToLower8(LoadEndingAt(p + i, std::min(length - i, kHeadBytes))));
  key.hash = hash;
  return key;
}

std::uint64_t WordTable::HashOf(int partition, std::uint64_t head, std::size_t length,
                                const char* tail) {
  std::uint64_t hash = StartHash(partition, head, length);
  const std::size_t tail_length = TailLength(length);
  hash = HashStep(hash, ToLower8(LoadUpTo8(tail, std::min(tail_length, kHeadBytes))));
  for (std::size_t i = 8; i < tail_length; i += 8)
    hash = HashStep(hash, ToLower8(LoadUpTo8(tail + i, std::min(tail_length - i, kHeadBytes))));
  return hash;
}

std::uint64_t WordTable::HashOf(const Slot& slot) const {
  const int partition = slot.tag >> 8;
  if (!slot.in_arena) return HashOf(partition, slot.head, slot.tag & 0xFF, slot.data);
  const char* record = RecordOf(slot);
  return HashOf(partition, slot.head, Load8(record), record + kRecordHeader);
}

std::size_t WordTable::Probe(const Key& key, std::string_view word) const {
  const std::size_t mask = SlotCount() - 1;
  for (std::size_t i = HomeOf(key.hash);; i = (i + 1) & mask) {
    const Slot& slot = slots_[i];
    if (slot.tag == 0) return i;
    if (slot.head == key.head && slot.tag == key.tag && SourceMatches(slot, key, word)) return i;
  }
}

bool WordTable::SourceMatches(const Slot& slot, const Key& key, std::string_view word) const {
  if (word.size() <= kHeadBytes) return true;  // the tag holds the exact length
  if (!slot.in_arena) {
    // A slot's data is longer than eight bytes: its first eight are read whatever the tail.
    const std::size_t tail = word.size() - kHeadBytes;
    return (Load8(slot.data) & LowBytes(std::min(tail, kHeadBytes))) == key.next &&
           (tail <= kHeadBytes || FoldedEquals(word.substr(16), slot.data + kHeadBytes));
  }
  const char* record = RecordOf(slot);
  return Load8(record) == word.size() &&
         FoldedEquals(word.substr(kHeadBytes), record + kRecordHeader);
}

const char* WordTable::RecordOf(const Slot& slot) const { return arena_.data() + Load8(slot.data); }

std::string_view WordTable::TargetOf(const Slot& slot) const {
  if (!slot.in_arena)
    return std::string_view(slot.data + TailLength(slot.tag & 0xFF), slot.target_length);
  const char* record = RecordOf(slot);
  return std::string_view(record + kRecordHeader + TailLength(Load8(record)), Load8(record + 8));
}

void WordTable::Fill(Slot& slot, const Key& key, std::string_view source, std::string_view target) {
  slot.head = key.head;
  slot.tag = key.tag;
  const std::string_view tail = source.substr(std::min(source.size(), kHeadBytes));
  char* to;
  if (tail.size() + target.size() <= kInlineBytes) {
    slot.target_length = static_cast<std::uint8_t>(target.size());
    to = slot.data;
  } else {
    slot.in_arena = true;
    // The record takes the padding's place, and new padding follows it.
    const std::uint64_t offset = arena_.empty() ? 0 : arena_.size() - kPadding;
    const std::uint64_t header[] = {source.size(), target.size()};
    std::memcpy(slot.data, &offset, sizeof offset);
    arena_.resize(offset + kRecordHeader + tail.size() + target.size());
    arena_.append(kPadding, '\0');
    std::memcpy(arena_.data() + offset, header, kRecordHeader);
    to = arena_.data() + offset + kRecordHeader;
  }
  for (char c : tail) *to++ = static_cast<char>(ToLowerByte(static_cast<unsigned char>(c)));
  target.copy(to, target.size());
}

void WordTable::Add(std::string_view source, std::string_view target) {
  int bucket = BucketOfCode(static_cast<unsigned char>(source.empty() ? ' ' : source[0]));
  ++counts_[bucket];
  if (source.empty()) return;
  if (5 * (used_ + 1) > 4 * SlotCount()) Grow();
  const Key key = KeyOf(bucket * kLengthClassCount + LengthClass(source.size()), source);
  Slot& slot = slots_[Probe(key, source)];
  if (slot.tag != 0) return;  // the earlier pair stays in force
  Fill(slot, key, source, target);
  if (++used_ > filter_.capacity() && filter_.CanGrow()) RebuildFilter(2 * used_);
  filter_.Add(key.hash);
}

void WordTable::RebuildFilter(std::size_t keys) {
  filter_.Reset(keys);
  for (const Slot& slot : slots_)
    if (slot.tag != 0) filter_.Add(HashOf(slot));
}

bool WordTable::MayHold(int bucket, int length_class) const {
  return bucket >= 0 && bucket < kBucketCount && length_class >= 0 &&
         length_class < kLengthClassCount && used_ != 0;
}

std::string_view WordTable::Find(int bucket, int length_class, std::string_view word) const {
  if (!MayHold(bucket, length_class)) return {};
  const Key key = KeyOf(bucket * kLengthClassCount + length_class, word);
  if (!filter_.MayContain(key.hash)) return {};
  const Slot& slot = slots_[Probe(key, word)];
  if (slot.tag == 0) return {};
  return TargetOf(slot);
}

// A word of up to sixteen bytes is read in one piece, the bytes beyond it masked off, so that
// its key takes no branch on its length; its second chunk is compared the same way.
std::string_view WordTable::FindPadded(int bucket, int length_class, std::string_view word) const {
  const std::size_t length = word.size();
  if (length > kPadding) return Find(bucket, length_class, word);
  if (!MayHold(bucket, length_class) || length == 0) return {};
  const int partition = bucket * kLengthClassCount + length_class;
  const ChunkMasks masks = kChunkMasks[length];
  const std::uint64_t next_mask = masks.next;
  Key key;
  Fold16(word.data(), &key.head, &key.next);
  key.head &= masks.head;
  key.next &= next_mask;
  key.tag = static_cast<std::uint16_t>(length | partition << 8);
  key.hash = HashStep(StartHash(partition, key.head, length), key.next);
  if (!filter_.MayContain(key.hash)) return {};
  const std::size_t mask = SlotCount() - 1;
  for (std::size_t i = HomeOf(key.hash);; i = (i + 1) & mask) {
    const Slot& slot = slots_[i];
    if (slot.tag == 0) return {};
    if (slot.head != key.head || slot.tag != key.tag) continue;
    // The source's second chunk starts the slot's data or the record's tail; either has eight
    // bytes to read (a record holds more than twenty past its header).
    const char* tail = slot.in_arena ? RecordOf(slot) + kRecordHeader : slot.data;
    if ((Load8(tail) & next_mask) == key.next) return TargetOf(slot);
  }
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

void WordTable::Reserve(std::size_t pairs) {
  std::size_t count = SlotCount();
  while (4 * count < 5 * pairs) count *= 2;
  if (count > SlotCount()) Rehash(count);
  if (pairs > filter_.capacity() && filter_.CanGrow()) RebuildFilter(pairs);
}

void WordTable::Rehash(std::size_t count) {
  std::vector<Slot, HugePageAllocator<Slot>> slots(count + 1);
  const std::size_t mask = count - 1;
  home_shift_ = 64 - std::countr_zero(count);
  for (const Slot& slot : slots_) {
    if (slot.tag == 0) continue;
    std::size_t i = HomeOf(HashOf(slot));
    while (slots[i].tag != 0) i = (i + 1) & mask;
    slots[i] = slot;
  }
  slots_.swap(slots);
}

}  // namespace lorvan
