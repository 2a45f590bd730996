// A negative filter of 64-bit hashes (a blocked Bloom filter): it answers "surely absent" for
// most keys never added from one 64-bit word of a cache-sized bit array. The word table puts
// it before its slots, so that an unknown word costs no probe of them; the name pass uses it
// for the prefixes of its sources.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace lorvan {

class HashFilter {
 public:
  // Empties the filter and gives it room for about `keys` keys at a low false-positive rate.
  void Reset(std::size_t keys) {
    std::size_t words = kMinWords;
    while (words < kMaxWords && words * kKeysPerWord < keys) words *= 2;
    bits_.assign(words, 0);
    capacity_ = words * kKeysPerWord;
  }
  // How many keys the filter was sized for.
  std::size_t capacity() const { return capacity_; }
  // True when Reset with more keys would give a larger array.
  bool CanGrow() const { return bits_.size() < kMaxWords; }

  // REQUIRES: Reset has been called.
  void Add(std::uint64_t hash) {
    const std::uint64_t mixed = Mix(hash);
    bits_[WordIndex(mixed)] |= Mask(mixed);
  }
  // False only when no key with this hash was added.
  bool MayContain(std::uint64_t hash) const {
    if (bits_.empty()) return false;
    const std::uint64_t mixed = Mix(hash);
    const std::uint64_t mask = Mask(mixed);
    return (bits_[WordIndex(mixed)] & mask) == mask;
  }

 private:
  static constexpr std::size_t kMinWords = 64;
  static constexpr std::size_t kMaxWords = std::size_t{1} << 17;  // 1 MiB of bits
  // Four keys of two bits each to a 64-bit word: about 1 % false positives when full.
  static constexpr std::size_t kKeysPerWord = 4;

  static std::uint64_t Mix(std::uint64_t hash) { return hash * 0x9E3779B97F4A7C15ull; }
  std::size_t WordIndex(std::uint64_t mixed) const {
    return static_cast<std::size_t>(mixed >> 40) & (bits_.size() - 1);
  }
  // Two bits of the word, chosen by bits of the hash the word index does not use.
  static std::uint64_t Mask(std::uint64_t mixed) {
    return (std::uint64_t{1} << ((mixed >> 28) & 63)) | (std::uint64_t{1} << ((mixed >> 34) & 63));
  }

  std::vector<std::uint64_t> bits_;
  std::size_t capacity_ = 0;
};

}  // namespace lorvan
