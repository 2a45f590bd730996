// The word pairs of the dictionary, filed by letter bucket and length class, in file order.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "dictionary/buckets.h"
#include "dictionary/hash_filter.h"

namespace lorvan {

class WordTable {
 public:
  WordTable();

  // Files a pair under the bucket of its source's first character and the length class of
  // its source's length. REQUIRES: source is not empty.
  void Add(std::string_view source, std::string_view target);

  // The target of the earliest filed pair of bucket and length_class whose source equals
  // word without regard to letter case; nullopt when there is none. The view stays valid
  // until the next Add.
  std::optional<std::string_view> Find(int bucket, int length_class, std::string_view word) const;

  // Number of pairs filed in bucket.
  std::int64_t Count(int bucket) const;
  // Number of pairs filed in all buckets.
  std::int64_t Total() const;

 private:
  // A folded source as the table compares it: its first eight bytes packed into one number,
  // its length, and a hash of all its bytes.
  struct Key {
    std::uint64_t head = 0;
    std::uint64_t hash = 0;
    std::size_t length = 0;
  };

  // One slot of a partition's open-addressing table, 16 bytes. A source's bytes beyond its
  // first eight and then its target follow each other in the arena from offset on, so that a
  // hit reads the slot's line and the arena's. A pair too long for the 16-bit lengths, or
  // beyond the reach of a 32-bit offset, is a long entry: target_length is kLongEntry and
  // offset indexes long_entries_. source_length 0 marks a free slot.
  struct Slot {
    std::uint64_t head = 0;
    std::uint32_t offset = 0;
    std::uint16_t source_length = 0;  // at most kLongEntry: a longer source is a long entry
    std::uint16_t target_length = 0;
  };
  static constexpr std::uint16_t kLongEntry = 0xFFFF;

  // A pair kept whole: its folded source and its target.
  struct LongEntry {
    std::string source;
    std::string target;
  };

  // The sources of one bucket and length class: each distinct folded source once, with the
  // target of its first pair.
  struct Partition {
    std::vector<Slot> slots;  // size a power of two, at most half full
    std::size_t used = 0;
  };

  // The key of text folded to small letters.
  static Key KeyOf(std::string_view text);
  // The hash of a source of length bytes whose first eight, folded, are head and whose bytes
  // beyond them stand at tail (folded or not).
  static std::uint64_t HashOf(std::uint64_t head, std::size_t length, const char* tail);
  // The hash of the source filed in slot. REQUIRES: the slot is not free.
  std::uint64_t HashOf(const Slot& slot) const;
  // Index of the slot holding word's key, or of the free slot where the probe ended.
  std::size_t Probe(const Partition& partition, const Key& key, std::string_view word) const;
  // True when the source filed in slot equals word (whose key matches the slot's head and
  // length) without regard to letter case.
  bool SourceMatches(const Slot& slot, std::string_view word) const;
  // The target filed in slot. REQUIRES: the slot is not free.
  std::string_view TargetOf(const Slot& slot) const;
  // Fills a free slot with the pair, its key already computed.
  void Fill(Slot& slot, const Key& key, std::string_view source, std::string_view target);
  void Grow(Partition& partition);
  // Sizes the filter for `keys` keys and files every key of the table in it.
  void RebuildFilter(std::size_t keys);

  std::array<std::array<Partition, kLengthClassCount>, kBucketCount> partitions_;
  std::array<std::int64_t, kBucketCount> counts_{};  // pairs filed per bucket
  std::string arena_;  // per filed source: its folded bytes beyond the eighth, then its target
  std::vector<LongEntry> long_entries_;
  HashFilter filter_;        // the hash of every distinct folded source
  std::size_t sources_ = 0;  // distinct folded sources filed over all partitions
};

}  // namespace lorvan
