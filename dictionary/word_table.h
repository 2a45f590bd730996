// The word pairs of the dictionary, filed by letter bucket and length class, in file order:
// one hash table over all partitions, each distinct folded source once with the target of its
// first pair.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "common/huge_page_allocator.h"
#include "dictionary/buckets.h"
#include "dictionary/hash_filter.h"

namespace lorvan {

class WordTable {
 public:
  WordTable();

  // Makes room for about `pairs` pairs at once, so that filing them grows nothing on the way.
  void Reserve(std::size_t pairs);

  // Files a pair under the bucket of its source's first character and the length class of
  // its source's length. REQUIRES: source is not empty.
  void Add(std::string_view source, std::string_view target);

  // The target of the earliest filed pair of bucket and length_class whose source equals
  // word without regard to letter case, or a view whose data() is null when there is none
  // (a found target is never null, even when empty). The view stays valid until the next Add.
  // kPadding bytes can be read from a found target's start, whatever its length.
  std::string_view Find(int bucket, int length_class, std::string_view word) const;

  // Find, quicker for words of up to kPadding bytes. REQUIRES: the kPadding bytes from
  // word.data() are readable, whatever stands in them past the word.
  static constexpr std::size_t kPadding = 16;
  std::string_view FindPadded(int bucket, int length_class, std::string_view word) const;

  // Number of pairs filed in bucket.
  std::int64_t Count(int bucket) const;
  // Number of pairs filed in all buckets.
  std::int64_t Total() const;

 private:
  // A folded source as the table compares it: its first eight bytes packed into one number,
  // the next eight (or fewer) likewise, its tag (as in Slot) and a hash of all its bytes.
  struct Key {
    std::uint64_t head = 0;
    std::uint64_t next = 0;
    std::uint64_t hash = 0;
    std::uint16_t tag = 0;
  };

  static constexpr std::size_t kInlineBytes = 20;
  static constexpr std::size_t kFirstSlotCount = 64;
  static constexpr std::size_t kMaxTagLength = 255;

  // One slot of the open-addressing table, 32 bytes, so that a hit reads one cache line. A
  // pair whose source bytes beyond the eighth and target fit in data is kept there, the tail
  // first; any other pair is an arena record, and data holds its offset. A record holds the
  // source's length and the target's (8 bytes each), then the tail and the target.
  struct alignas(32) Slot {
    std::uint64_t head = 0;
    // The source's length, or kMaxTagLength for any longer one, in the low byte (0 for a
    // free slot); the partition (bucket and length class) in the high byte.
    std::uint16_t tag = 0;
    std::uint8_t target_length = 0;  // of a pair kept in the slot
    bool in_arena = false;
    char data[kInlineBytes] = {};
  };
  static_assert(sizeof(Slot) == 32);

  // The key of text folded to small letters, filed under partition.
  static Key KeyOf(int partition, std::string_view text);
  // The hash of a source filed under partition, of length bytes, whose first eight, folded,
  // are head and whose bytes beyond them stand at tail (folded or not).
  static std::uint64_t HashOf(int partition, std::uint64_t head, std::size_t length,
                              const char* tail);
  // The hash of the source filed in slot. REQUIRES: the slot is not free.
  std::uint64_t HashOf(const Slot& slot) const;
  // The slot where the probe for a hash starts: its high bits.
  std::size_t HomeOf(std::uint64_t hash) const {
    return static_cast<std::size_t>(hash >> home_shift_);
  }
  // False when the partition is out of range or the table empty: no lookup finds anything.
  bool MayHold(int bucket, int length_class) const;
  // Index of the slot holding word's key, or of the free slot where the probe ended.
  std::size_t Probe(const Key& key, std::string_view word) const;
  // True when the source filed in slot equals word, whose key is given and matches the slot's
  // head and tag, without regard to letter case.
  bool SourceMatches(const Slot& slot, const Key& key, std::string_view word) const;
  // Where the arena record of slot starts. REQUIRES: slot.in_arena.
  const char* RecordOf(const Slot& slot) const;
  // The target filed in slot. REQUIRES: the slot is not free.
  std::string_view TargetOf(const Slot& slot) const;
  // Fills a free slot with the pair, its key already computed.
  void Fill(Slot& slot, const Key& key, std::string_view source, std::string_view target);
  // Doubles the slots and files every pair again.
  void Grow() { Rehash(2 * SlotCount()); }
  // The slots a probe reaches: all but the spare one at the end.
  std::size_t SlotCount() const { return slots_.size() - 1; }
  // Files every pair again in `count` slots (a power of two).
  void Rehash(std::size_t count);
  // Sizes the filter for `keys` keys and files every key of the table in it.
  void RebuildFilter(std::size_t keys);

  // A power of two of them, at most four fifths full: the filter turns most unknown words away
  // before they probe, so the slots can be packed that close, which keeps more of them cached.
  // One more, always free, follows them, so that a target kept in the last can be read
  // kPadding bytes far.
  std::vector<Slot, HugePageAllocator<Slot>> slots_;
  int home_shift_ = 64;   // 64 less the bits of a slot index
  std::size_t used_ = 0;  // distinct folded sources filed over all partitions
  std::array<std::int64_t, kBucketCount> counts_{};  // pairs filed per bucket
  std::string arena_;  // the records of the longer pairs, then kPadding zero bytes
  HashFilter filter_;  // the hash of every distinct folded source
};

}  // namespace lorvan
