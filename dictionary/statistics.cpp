#include "dictionary/statistics.h"

#include <array>
#include <string_view>

#include "dictionary/buckets.h"

namespace lorvan {
namespace {

// The bucket labels, in bucket order (Windows-1250 bytes).
constexpr std::array<std::string_view, kBucketCount> kBucketNames = {
    "A", "B", "C", "D", "E", "F", "G", "H", "I", "J", "K", "L",
    "M", "N", "O", "P", "R", "S", "T", "U", "V", "Z", "\xC8\xC6\x8A\x8E"};
constexpr int kFirstBoxBuckets = 12;   // A to L
constexpr int kLastLetterBucket = 21;  // Z

// " X = count" and CR LF for one bucket.
std::string BucketLine(const WordTable& words, int bucket) {
  std::string line = " ";
  line += kBucketNames[bucket];
  line += " = " + std::to_string(words.Count(bucket)) + "\r\n";
  return line;
}

}  // namespace

StatisticsTexts BuildStatisticsTexts(const WordTable& words) {
  StatisticsTexts texts;
  for (int b = 0; b < kFirstBoxBuckets; ++b) texts.first += BucketLine(words, b);
  for (int b = kFirstBoxBuckets; b <= kLastLetterBucket; ++b) texts.second += BucketLine(words, b);
  texts.second += "\r\n";
  texts.second += BucketLine(words, kSharedBucket);
  return texts;
}

std::string TotalText(const WordTable& words) {
  return "Ukupno parova:  " + std::to_string(words.Total());
}

}  // namespace lorvan
