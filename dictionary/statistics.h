// The statistics texts: word pairs per letter bucket, and the total.
#pragma once

#include <string>

#include "dictionary/word_table.h"

namespace lorvan {

struct StatisticsTexts {
  std::string first;   // buckets A to L, one " X = count" line each, CR LF after every line
  std::string second;  // buckets M to Z, an empty line, then the shared bucket
};

StatisticsTexts BuildStatisticsTexts(const WordTable& words);

// "Ukupno parova:  " followed by the number of word pairs of all buckets.
std::string TotalText(const WordTable& words);

}  // namespace lorvan
