// The word table's partitions: the bucket of the first character and the class of the length.
// What a lookup finds is checked against the literal index by the line-translation fuzz target.
#include "dictionary/word_table.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <string_view>
#include <vector>

#include "dictionary/statistics.h"

namespace lorvan {
namespace {

TEST(Buckets, FirstCharacterSelectsTheBucketAndLengthTheClass) {
  const struct {
    const char* source;
    int bucket;
  } buckets[] = {
      {"avion", 0},   {"D\236ep", 3}, {"Ljubav", 11},     {"Njiva", 13},  {"pas", 15},
      {"rijeka", 16}, {"Vuk", 20},    {"zec", 21},        {"Quiz", 22},   {"Web", 22},
      {"xenon", 22},  {"yeti", 22},   {"\310a\232a", 22}, {"\320ak", 22}, {"\x8Auma", 22},
      {"2000", 22},   {" a", 22},
  };
  for (const auto& c : buckets)
    EXPECT_EQ(BucketOfCode(static_cast<unsigned char>(c.source[0])), c.bucket) << c.source;
  const std::pair<std::size_t, int> classes[] = {{1, 0},  {5, 0},   {6, 1},
                                                 {14, 9}, {15, 10}, {40, 10}};
  for (const auto& [length, length_class] : classes) EXPECT_EQ(LengthClass(length), length_class);
}

TEST(WordTable, HoldsFarMoreThan32767PairsInOneBucket) {
  WordTable table;
  constexpr int kPairs = 40000;
  for (int i = 0; i < kPairs; ++i) {
    if (i == 100) table.Reserve(kPairs);  // room made with pairs already filed
    table.Add("k" + std::to_string(i), "t" + std::to_string(i));
  }
  EXPECT_EQ(table.Count(10), kPairs);
  for (int i : {0, 99, 100, 249, 250, 32767, 32768, kPairs - 1}) {
    std::string word = "K" + std::to_string(i);
    std::string_view target = table.Find(10, LengthClass(word.size()), word);
    ASSERT_NE(target.data(), nullptr) << word;
    EXPECT_EQ(target, "t" + std::to_string(i));
  }
  EXPECT_EQ(table.Find(-1, 0, "k1").data(), nullptr);
  EXPECT_EQ(table.Find(10, 11, "k1").data(), nullptr);
}

// The line scan copies a found target as kPadding bytes whatever its length: that stays in
// the table (under the address sanitizer) also for a pair in the last slot of a table as full
// as it gets, where the next slot would be past the end.
TEST(WordTable, FoundTargetsCanBeReadPaddingFar) {
  for (char letter = 'a'; letter <= 'z'; ++letter) {  // tables that fill their slots differently
    WordTable table;
    std::vector<std::string> words;
    // Fifteen bytes: the target stands at the end of its slot.
    for (int i = 10; i < 61; ++i) words.push_back(std::string(13, letter) + std::to_string(i));
    for (const std::string& word : words) table.Add(word, "t");  // 51 pairs in 64 slots
    for (const std::string& word : words) {
      const std::string_view found = table.Find(BucketOfCode(letter), LengthClass(15), word);
      ASSERT_EQ(found, "t") << word;
      char copy[WordTable::kPadding];
      std::memcpy(copy, found.data(), sizeof copy);
      EXPECT_EQ(copy[0], 't');
    }
  }
}

// Pairs too long for their slot are kept whole elsewhere, sources of any length; sources
// longer than eight bytes are compared beyond their head, in both lookups.
TEST(WordTable, KeepsLongSourcesAndTargetsWhole) {
  const std::string long_source = "Dug" + std::string(70000, 'A') + "\x8A";
  const std::string long_target(65535, 't');
  const std::string pairs[][2] = {
      {long_source, "dugo"}, {"duga", long_target}, {"DUGA\x8Aka\xC8ka", "luk"},
      {"dugaSkaCka", "x"},   {"dugaSkaCkam", "y"},  {"dugaackaluka", std::string(30, 'u')}};
  WordTable table;
  for (const auto& [source, target] : pairs) table.Add(source, target);
  table.Add("Duga", "later pair");
  const std::string rows[][2] = {{"dug" + std::string(69999, 'a') + "b\x9A", ""},
                                 {"dug" + std::string(70001, 'a') + "\x9A", ""},
                                 {"dug" + std::string(70000, 'a') + "\x9A", "dugo"},
                                 {"dUgA", long_target},
                                 {"duga\x9Aka\xE8ka", "luk"},
                                 {"duga\x9Aka\xE8kA", "luk"},
                                 {"duga\x9Aka\xE8ke", ""},
                                 {"dugaskacka", "x"},
                                 {"dugaskackam", "y"},
                                 {"dugaskackan", ""},
                                 {"DugaAckaLuka", std::string(30, 'u')},
                                 {"dugaackalukb", ""}};
  for (const auto& [word, target] : rows) {
    // The padded lookup reads sixteen bytes whatever the word's length: here a letter that
    // would change the answer were it read as part of the word.
    const std::string padded = word + std::string(WordTable::kPadding, 'a');
    const int length_class = LengthClass(word.size());
    for (std::string_view found :
         {table.Find(3, length_class, word),
          table.FindPadded(3, length_class, {padded.data(), word.size()})}) {
      EXPECT_EQ(found.data() == nullptr, target.empty()) << word.size();
      EXPECT_EQ(found, target) << word.size();
    }
  }
  EXPECT_EQ(table.Total(), 7);
}

TEST(Statistics, LaysOutTheBucketCountsAndTheTotal) {
  WordTable words;
  for (int i = 0; i < 523; ++i) words.Add("a" + std::to_string(i), "x");
  for (const char* source : {"Ljubav", "zec", "Zima", "ZEC", "\x8Auma", "quiz", "2000"})
    words.Add(source, "x");
  StatisticsTexts texts = BuildStatisticsTexts(words);
  EXPECT_EQ(texts.first,
            " A = 523\r\n B = 0\r\n C = 0\r\n D = 0\r\n E = 0\r\n F = 0\r\n G = 0\r\n H = 0\r\n"
            " I = 0\r\n J = 0\r\n K = 0\r\n L = 1\r\n");
  EXPECT_EQ(texts.second,
            " M = 0\r\n N = 0\r\n O = 0\r\n P = 0\r\n R = 0\r\n S = 0\r\n T = 0\r\n U = 0\r\n"
            " V = 0\r\n Z = 3\r\n\r\n \xC8\xC6\x8A\x8E = 3\r\n");
  EXPECT_EQ(TotalText(words), "Ukupno parova:  530");
}

}  // namespace
}  // namespace lorvan
