#include "dictionary/word_table.h"

#include <gtest/gtest.h>

#include <string>

namespace lorvan {
namespace {

TEST(Buckets, FirstCharacterSelectsTheBucket) {
  struct Case {
    const char* source;
    int bucket;
  } cases[] = {
      {"Ljubav", 11}, {"D\236ep", 3},  {"Njiva", 13},      {"avion", 0},
      {"pas", 15},    {"rijeka", 16},  {"Vuk", 20},        {"zec", 21},
      {"Quiz", 22},   {"Web", 22},     {"\310a\232a", 22},  // Čaša
      {"\320ak", 22}, {"\x8Auma", 22}, {"\216aba", 22},     // Đak Šuma Žaba
      {"2000", 22},   {"xenon", 22},   {"yeti", 22},       {" a", 22},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(BucketOfCode(static_cast<unsigned char>(c.source[0])), c.bucket) << c.source;
  }
}

TEST(Buckets, LengthSelectsTheClass) {
  struct Case {
    std::size_t length;
    int length_class;
  } cases[] = {{1, 0}, {5, 0}, {6, 1}, {7, 2}, {14, 9}, {15, 10}, {40, 10}};
  for (const Case& c : cases) EXPECT_EQ(LengthClass(c.length), c.length_class) << c.length;
  EXPECT_EQ(LengthClass(std::string("ne znam").size()), 2);
}

TEST(WordTable, FindsByBucketClassAndFoldedSource) {
  WordTable table;
  table.Add("Ljubav", "ljubav");
  table.Add("\x8Auma", "\x9Auma");  // Šuma -> šuma
  table.Add("ne znam", "ne znam");
  table.Add("hleb", "kruh");

  EXPECT_EQ(*table.Find(11, 1, "LJUBAV"), "ljubav");
  EXPECT_EQ(*table.Find(22, 0, "\232UMA"),
            "\x9Auma");  // šUMA
  EXPECT_EQ(*table.Find(13, 2, "Ne Znam"), "ne znam");
  EXPECT_EQ(table.Find(11, 0, "ljubav"), nullptr);  // wrong class
  EXPECT_EQ(table.Find(7, 0, "hle"), nullptr);
  EXPECT_EQ(table.Find(7, 0, "hlebb"), nullptr);
  EXPECT_EQ(table.Find(0, 0, "hleb"), nullptr);  // wrong bucket
  EXPECT_EQ(table.Find(-1, 0, "hleb"), nullptr);
  EXPECT_EQ(table.Find(7, 11, "hleb"), nullptr);
  EXPECT_EQ(table.Count(11), 1);
  EXPECT_EQ(table.Count(22), 1);
  EXPECT_EQ(table.Total(), 4);
}

TEST(WordTable, FirstFiledPairWinsButEveryPairCounts) {
  WordTable table;
  table.Add("hleb", "kruh");
  table.Add("HLEB", "pogaca");
  table.Add("hleb", "");
  EXPECT_EQ(*table.Find(7, 0, "Hleb"), "kruh");
  EXPECT_EQ(table.Count(7), 3);
}

TEST(WordTable, HoldsFarMoreThan32767PairsInOneBucket) {
  WordTable table;
  constexpr int kPairs = 40000;
  for (int i = 0; i < kPairs; ++i) table.Add("k" + std::to_string(i), "t" + std::to_string(i));
  EXPECT_EQ(table.Count(10), kPairs);
  for (int i : {0, 249, 250, 32767, 32768, kPairs - 1}) {
    std::string word = "K" + std::to_string(i);
    const std::string* target = table.Find(10, LengthClass(word.size()), word);
    ASSERT_NE(target, nullptr) << word;
    EXPECT_EQ(*target, "t" + std::to_string(i));
  }
}

}  // namespace
}  // namespace lorvan
