// Loading a word file of 100,000 lines, and looking words up among about 80,000 pairs: the word
// table against the literal comma-joined index.
#include <benchmark/benchmark.h>

#include <memory>
#include <string>
#include <vector>

#include "bench/bench_text.h"
#include "common/text_file.h"
#include "dictionary/load.h"
#include "engine/word_lookup.h"
#include "reference/word_index_reference.h"
#include "tests/core/temp_dir.h"

namespace lorvan {
namespace {

// A folder holding a generated word file of 100,000 lines (and empty phrase and name files).
struct WordFileFolder {
  WordFileFolder() {
    testing::TextGenerator gen(7);
    bytes = testing::WordFileText(gen, 100000);
    WriteFileBytes(dir.path() + "/" + kWordFileName, bytes);
    WriteFileBytes(dir.path() + "/" + kPhraseFileName, "");
    WriteFileBytes(dir.path() + "/" + kNameFileName, "");
  }
  TempDir dir;
  std::string bytes;
};

const WordFileFolder& Folder() {
  static const WordFileFolder* folder = new WordFileFolder;
  return *folder;
}

void BM_LoadWordsFast(benchmark::State& state) {
  const WordFileFolder& folder = Folder();
  for (auto _ : state) {
    Dictionary dictionary;
    LoadReport report = LoadDictionary(folder.dir.path(), {}, &dictionary);
    benchmark::DoNotOptimize(dictionary.words.Total());
  }
  state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(folder.bytes.size()));
}

void BM_LoadWordsReference(benchmark::State& state) {
  const WordFileFolder& folder = Folder();
  for (auto _ : state) {
    std::string bytes;
    ReadFileBytes(folder.dir.path() + "/" + kWordFileName, &bytes);
    auto table = std::make_unique<reference::ReferenceWordTable>();
    reference::LoadWordFileLiteral(bytes, table.get());
    benchmark::DoNotOptimize(table->count[0]);
  }
  state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(folder.bytes.size()));
}

// About 80,000 pairs in both tables, and 10,000 words to look up: most of them dictionary
// sources in another case shape, the rest random words.
struct LookupSetup {
  LookupSetup() {
    testing::TextGenerator gen(11);
    std::vector<std::string> sources;
    for (int i = 0; i < 80000; ++i) {
      std::string source = testing::SourceWord(gen);
      std::string target = testing::TargetText(gen);
      fast.Add(source, target);
      literal.Add(source + "\t" + target);
      sources.push_back(source);
    }
    for (int i = 0; i < 10000; ++i) {
      words.push_back(gen.Chance(0.7) ? gen.RandomCase(sources[gen.Uniform(0, 79999)])
                                      : testing::SourceWord(gen));
      bytes += static_cast<std::int64_t>(words.back().size());
    }
  }
  WordTable fast;
  reference::ReferenceWordTable literal;
  std::vector<std::string> words;
  std::int64_t bytes = 0;
};

const LookupSetup& Lookup() {
  static const LookupSetup* setup = new LookupSetup;
  return *setup;
}

void BM_WordLookupFast(benchmark::State& state) {
  const LookupSetup& setup = Lookup();
  std::string word;
  for (auto _ : state) {
    for (const std::string& w : setup.words) {
      word = w;
      TranslateWord(setup.fast, static_cast<unsigned char>(word[0]), LengthClass(word.size()),
                    word);
      benchmark::DoNotOptimize(word.data());
    }
  }
  state.SetBytesProcessed(state.iterations() * setup.bytes);
}

void BM_WordLookupReference(benchmark::State& state) {
  const LookupSetup& setup = Lookup();
  std::string word;
  for (auto _ : state) {
    for (const std::string& w : setup.words) {
      word = w;
      reference::TranslateWordLiteral(setup.literal, static_cast<unsigned char>(word[0]),
                                      LengthClass(word.size()), word);
      benchmark::DoNotOptimize(word.data());
    }
  }
  state.SetBytesProcessed(state.iterations() * setup.bytes);
}

BENCHMARK(BM_LoadWordsFast)->Name("LoadWords100k/Fast")->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LoadWordsReference)->Name("LoadWords100k/Reference")->Unit(benchmark::kMillisecond);
BENCHMARK(BM_WordLookupFast)->Name("WordLookup/Fast")->Unit(benchmark::kMillisecond);
BENCHMARK(BM_WordLookupReference)->Name("WordLookup/Reference")->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace lorvan
