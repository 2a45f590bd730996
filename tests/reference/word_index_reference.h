// A deliberately literal word dictionary: per letter bucket eleven comma-joined index strings
// and the targets in blocks of 250, searched by a case-insensitive substring search. Kept to
// check the word table and the word lookup against, and to measure them against.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "dictionary/buckets.h"

namespace lorvan::reference {

inline constexpr int kBlockSize = 250;

struct ReferenceWordTable {
  ReferenceWordTable();

  // Files a word-file line: source before the first TAB, target after it. A line without a
  // TAB, or with an empty source, is not filed (returns false).
  bool Add(std::string_view line);

  // Per bucket: "," then source "," n "," for every pair of the class, in file order.
  std::array<std::array<std::string, kLengthClassCount>, kBucketCount> index;
  // Per bucket: blocks of kBlockSize targets; pair n is row n % 250 of block n / 250.
  std::array<std::vector<std::vector<std::string>>, kBucketCount> targets;
  std::array<std::int64_t, kBucketCount> count{};
};

// Looks word up as the old tables did: searches "," + word + "," without regard to case from
// the start of the index string of first_char's bucket and length_class, reads the pair number
// right after the key (the comma, the text, the comma), and carries the case over. Returns word.
std::string& TranslateWordLiteral(const ReferenceWordTable& table, unsigned char first_char,
                                  int length_class, std::string& word);

// Files every line of a word file's bytes (CR or CR LF ends a line).
void LoadWordFileLiteral(std::string_view bytes, ReferenceWordTable* table);

}  // namespace lorvan::reference
