// The dictionary loader on any bytes. The first byte picks the file the rest is read as
// (modulo 4: the word file, the phrase file, the name file, or all three); the lines are cut
// as the load cuts them. Besides not crashing, the load must file every word pair where the
// lookup finds it and describe every issue it reports; the phrase groups' counts are pinned by
// rows in load_test.cpp.
#include <cstdint>
#include <string_view>
#include <string>

#include "dictionary/dictionary_loader.h"
#include "dictionary/statistics.h"
#include "fuzz/fuzz_support.h"
#include "reference/word_index_reference.h"

namespace lorvan::fuzz {
namespace {

// Every filed source must be found, giving the target of its partition's first pair with the
// same folded source, by both lookups; the bucket counts must match the literal table's.
void CheckWords(std::string_view bytes, const Dictionary& dictionary) {
  reference::ReferenceWordTable literal;
  reference::LoadWordFileLiteral(bytes, &literal);
  for (const auto& [key, target] : literal.first_targets) {
    const auto& [bucket, length_class, folded] = key;
    const std::string_view found = dictionary.words.Find(bucket, length_class, folded);
    Expect(found.data() != nullptr, "a filed word source is found");
    ExpectSame("target of a word source", found, target);
    const std::string padded = folded + std::string(WordTable::kPadding, '\x8A');
    ExpectSame("padded lookup",
               dictionary.words.FindPadded(bucket, length_class, {padded.data(), folded.size()}),
               target);
  }
  for (int bucket = 0; bucket < kBucketCount; ++bucket)
    Expect(dictionary.words.Count(bucket) == literal.count[bucket], "pairs per bucket");
}

void Load(std::uint8_t option, std::string_view bytes) {
  const unsigned files = option % 4;
  Dictionary dictionary;
  DictionaryLoader loader(&dictionary);
  if (files == 0 || files == 3)
    ForEachLine(bytes, [&loader](std::string_view line) { loader.AddWordPair(line); });
  if (files == 1 || files == 3) {
    ForEachLine(bytes, [&loader](std::string_view line) { loader.AddPhraseLine(line); });
    loader.FinishPhrases();
  }
  if (files == 2 || files == 3)
    ForEachLine(bytes, [&loader](std::string_view line) { loader.AddNamePair(line); });

  if (files == 0 || files == 3) CheckWords(bytes, dictionary);
  for (const LoadIssue& issue : loader.report().issues)
    Expect(!DescribeLoadIssue(issue).empty(), "issue described");
  StatisticsTexts statistics = BuildStatisticsTexts(dictionary.words);
  Expect(!statistics.first.empty() && !TotalText(dictionary.words).empty(), "statistics");
}

}  // namespace
}  // namespace lorvan::fuzz

LORVAN_FUZZ_WITH_OPTION_BYTE(lorvan::fuzz::Load)
