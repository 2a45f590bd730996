// The word pairs of the dictionary, filed by letter bucket and length class, in file order.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "dictionary/buckets.h"

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
  // One slot of a partition's open-addressing table; target == kNoTarget marks a free slot.
  struct Slot {
    std::uint64_t hash = 0;
    std::size_t key_offset = 0;  // where the folded source starts in the partition's keys
    std::size_t key_length = 0;
    std::size_t target = kNoTarget;  // index into the bucket's targets
  };
  static constexpr std::size_t kNoTarget = static_cast<std::size_t>(-1);

  // The sources of one bucket and length class: each distinct folded source once, pointing
  // at the target of its first pair.
  struct Partition {
    std::string keys;         // the folded sources, one after another
    std::vector<Slot> slots;  // size a power of two, at most half full
    std::size_t used = 0;
  };

  const Slot* FindSlot(const Partition& partition, std::uint64_t hash, std::string_view word) const;
  static void Grow(Partition& partition);

  std::array<std::array<Partition, kLengthClassCount>, kBucketCount> partitions_;
  std::array<std::vector<std::string>, kBucketCount> targets_;  // per bucket, file order
};

}  // namespace lorvan
