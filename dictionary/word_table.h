// The word pairs of the dictionary, filed by letter bucket and length class, in file order.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

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
  // Implementation detail of the table; see word_table.cpp.
  struct Partition;
  // ... fields chosen by the implementation ...
};

}  // namespace lorvan
