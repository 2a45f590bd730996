// The word pairs of the dictionary, filed by letter bucket and length class, in file order.
#pragma once

#include <array>
#include <cstdint>
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
  // word without regard to letter case; nullptr when there is none.
  const std::string* Find(int bucket, int length_class, std::string_view word) const;

  // Number of pairs filed in bucket.
  std::int64_t Count(int bucket) const;
  // Number of pairs filed in all buckets.
  std::int64_t Total() const;

 private:
  // A folded source as the table compares it: its length, its first eight bytes packed into
  // one number, and a hash of all its bytes.
  struct Key {
    std::uint64_t head = 0;
    std::uint64_t hash = 0;
    std::uint32_t length = 0;
  };

  // One slot of a partition's open-addressing table, 16 bytes, so that most lookups touch
  // one cache line; target == kNoTarget marks a free slot.
  struct Slot {
    std::uint64_t head = 0;
    std::uint32_t target = kNoTarget;  // index into the bucket's targets
    std::uint32_t length = 0;
  };
  static constexpr std::uint32_t kNoTarget = ~std::uint32_t{0};

  // The sources of one bucket and length class: each distinct folded source once, pointing
  // at the target of its first pair. Bytes of a source beyond its first eight are kept in
  // tails, from tail_offsets[slot index] on.
  struct Partition {
    std::vector<Slot> slots;  // size a power of two, at most half full
    std::vector<std::uint32_t> tail_offsets;
    std::string tails;
    std::size_t used = 0;
  };

  // The key of text folded to small letters.
  static Key KeyOf(std::string_view text);
  // Index of the slot holding word's key, or of the free slot where the probe ended.
  static std::size_t Probe(const Partition& partition, const Key& key, std::string_view word);
  static void Grow(Partition& partition);
  // The folded source held in slot i of partition.
  static std::string FoldedSource(const Partition& partition, std::size_t i);
  // Sizes the filter for `keys` keys and files every key of the table in it.
  void RebuildFilter(std::size_t keys);

  std::array<std::array<Partition, kLengthClassCount>, kBucketCount> partitions_;
  std::array<std::vector<std::string>, kBucketCount> targets_;  // per bucket, file order
  HashFilter filter_;        // the hash of every distinct folded source
  std::size_t sources_ = 0;  // distinct folded sources filed over all partitions
};

}  // namespace lorvan
