#include "dictionary/statistics.h"

#include <gtest/gtest.h>

#include <string>

namespace lorvan {
namespace {

TEST(Statistics, LaysOutTheBucketCountsAndTheTotal) {
  WordTable words;
  for (int i = 0; i < 523; ++i) words.Add("a" + std::to_string(i), "x");
  words.Add("Ljubav", "ljubav");
  words.Add("zec", "zec");
  words.Add("Zima", "zima");
  words.Add("\x8Auma", "\x9Auma");
  words.Add("quiz", "kviz");
  words.Add("2000", "2000");

  StatisticsTexts texts = BuildStatisticsTexts(words);
  EXPECT_EQ(texts.first,
            " A = 523\r\n B = 0\r\n C = 0\r\n D = 0\r\n E = 0\r\n F = 0\r\n G = 0\r\n H = 0\r\n"
            " I = 0\r\n J = 0\r\n K = 0\r\n L = 1\r\n");
  EXPECT_EQ(texts.second,
            " M = 0\r\n N = 0\r\n O = 0\r\n P = 0\r\n R = 0\r\n S = 0\r\n T = 0\r\n U = 0\r\n"
            " V = 0\r\n Z = 2\r\n\r\n \xC8\xC6\x8A\x8E = 3\r\n");
  EXPECT_EQ(TotalText(words), "Ukupno parova:  529");
  EXPECT_EQ(TotalText(WordTable()), "Ukupno parova:  0");
}

}  // namespace
}  // namespace lorvan
