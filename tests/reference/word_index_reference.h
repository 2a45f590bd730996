// A literal word dictionary: each pair filed under its bucket, its length class and its source
// in small letters, the first pair of each winning, as the old comma-joined index strings were
// searched without regard to case. Kept to check the word table and the word lookup against,
// and to measure them against.
#pragma once

#include <array>
#include <cstdint>
#include <map>
#include <string>
#include <string_view>
#include <tuple>

#include "dictionary/buckets.h"

namespace lorvan::reference {

struct ReferenceWordTable {
  // Files a word-file line: source before the first TAB, target after it. A line without a
  // TAB, or with an empty source, is not filed (returns false).
  bool Add(std::string_view line);

  // The target of the first pair per (bucket, length class, source in small letters).
  std::map<std::tuple<int, int, std::string>, std::string> first_targets;
  std::array<std::int64_t, kBucketCount> count{};  // pairs filed per bucket
};

// Looks word up under first_char's bucket and length_class and carries the case over as the
// old tables did: a capital first_char (in the shared bucket: one that is word's first
// character in capitals) capitalises the target, a word in capitals turns it into capitals.
// Returns word.
std::string& TranslateWordLiteral(const ReferenceWordTable& table, unsigned char first_char,
                                  int length_class, std::string& word);

// Files every line of a word file's bytes (CR or CR LF ends a line).
void LoadWordFileLiteral(std::string_view bytes, ReferenceWordTable* table);

}  // namespace lorvan::reference
