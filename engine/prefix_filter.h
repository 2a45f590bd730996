// Which patterns could begin at a place in a text, told from their first few bytes: a fast
// "none" for the many places where no pattern begins, so that a line where none can occur
// skips the multi-pattern scan and the walk of the list.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

#include "dictionary/hash_filter.h"

namespace lorvan {

class PrefixFilter {
 public:
  // Files the first prefix_bytes bytes of each pattern (at most 8; all of a shorter one).
  // With fold, patterns are given in small letters and the text is folded as it is read.
  PrefixFilter(std::size_t prefix_bytes, bool fold);

  // REQUIRES: pattern is not empty; Build() has not been called yet.
  void Add(std::string_view pattern);
  // Makes the filter ready; call once after the last Add.
  void Build();

  bool empty() const { return lengths_ == 0; }
  // False when no pattern added begins at p, end being the end of the text.
  // REQUIRES: Build() has been called; p < end.
  bool MayBeginAt(const char* p, const char* end) const;

 private:
  // The first count bytes at p packed into one number (byte i at bits 8i), folded as asked.
  std::uint64_t Pack(const char* p, std::size_t count) const;
  // The hash filed for a prefix of `length` bytes packed into key.
  static std::uint64_t HashOf(std::uint64_t key, std::size_t length) {
    return key ^ (std::uint64_t{length} << 56);
  }

  std::size_t prefix_bytes_;
  bool fold_;
  std::uint32_t lengths_ = 0;          // bit k - 1 is set when some pattern files k bytes
  std::vector<std::uint64_t> hashes_;  // until Build()
  HashFilter filter_;
};

}  // namespace lorvan
