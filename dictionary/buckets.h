// How the word dictionary is partitioned: 23 letter buckets by first character and 11 length
// classes by length, so that a word is only compared with sources of its own partition.
#pragma once

#include <array>
#include <cstddef>

namespace lorvan {

inline constexpr int kMinClassLen = 5;   // lengths up to this share length class 0
inline constexpr int kMaxClassLen = 15;  // lengths from this on share the last class
inline constexpr int kLengthClassCount = kMaxClassLen - kMinClassLen + 1;
inline constexpr int kBucketCount = 23;
inline constexpr int kSharedBucket = 22;  // Q W X Y Č Ć Đ Š Ž, digits, punctuation ...

// 0 for lengths up to 5, length - 5 for 6 to 14, 10 from 15 on.
constexpr int LengthClass(std::size_t length) {
  if (length <= static_cast<std::size_t>(kMinClassLen)) return 0;
  if (length >= static_cast<std::size_t>(kMaxClassLen)) return kMaxClassLen - kMinClassLen;
  return static_cast<int>(length) - kMinClassLen;
}

namespace buckets_detail {
constexpr int BucketByRule(unsigned char code) {
  if (code >= 'A' && code <= 'Z') code = static_cast<unsigned char>(code + 32);
  if (code >= 'a' && code <= 'p') return code - 'a';
  if (code >= 'r' && code <= 'v') return code - 'a' - 1;
  if (code == 'z') return 21;
  return kSharedBucket;
}
constexpr std::array<unsigned char, 256> MakeBuckets() {
  std::array<unsigned char, 256> buckets{};
  for (unsigned code = 0; code < 256; ++code)
    buckets[code] = static_cast<unsigned char>(BucketByRule(static_cast<unsigned char>(code)));
  return buckets;
}
inline constexpr std::array<unsigned char, 256> kBuckets = MakeBuckets();
}  // namespace buckets_detail

// The bucket a first character selects: A-P, R-V and Z (either case) give 0 to 21 in
// alphabet order, every other character the shared bucket 22. Read from a table, as the
// first letters of running text follow no pattern a branch could foretell.
constexpr int BucketOfCode(unsigned char code) { return buckets_detail::kBuckets[code]; }

}  // namespace lorvan
