// The phrase pass over ~2,000 grouped entries and the name pass over 1,000 names, fast path
// against the literal entry-by-entry passes, on Serbian-like lines.
#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "bench/bench_text.h"
#include "engine/names.h"
#include "engine/phrases.h"
#include "reference/phrase_name_reference.h"

namespace lorvan {
namespace {

std::vector<std::string> Lines(testing::TextGenerator& gen, int count) {
  std::vector<std::string> lines;
  for (int i = 0; i < count; ++i) lines.push_back(gen.Line(gen.Uniform(6, 16)));
  return lines;
}

// Two or three words with word-boundary spaces, like the pairs of a real phrase file.
PhraseEntry Pair(testing::TextGenerator& gen) {
  std::string source = " " + gen.Word(2, 6);
  for (int w = gen.Uniform(0, 2); w > 0; --w) source += " " + gen.Word(1, 5);
  if (gen.Chance(0.7)) source += " ";
  return {source, gen.Word(2, 6) + " " + gen.Word(1, 5)};
}

// 110 groups of about 17 pairs under short keys, then ungrouped pairs: 2,000 entries.
std::vector<PhraseEntry> PhraseList() {
  testing::TextGenerator gen(2000);
  std::vector<PhraseEntry> list;
  for (int g = 0; g < 110; ++g) {
    int pairs = gen.Uniform(12, 22);
    list.push_back({"#" + gen.Word(3, 5), std::to_string(pairs)});
    for (int p = 0; p < pairs; ++p) list.push_back(Pair(gen));
  }
  while (list.size() < 2000) list.push_back(Pair(gen));
  return list;
}

std::vector<NameEntry> NameList() {
  testing::TextGenerator gen(1000);
  std::vector<NameEntry> names;
  for (int i = 0; i < 1000; ++i) names.push_back({gen.RandomCase(gen.Word(3, 8)), gen.Word(3, 8)});
  return names;
}

std::int64_t Bytes(const std::vector<std::string>& lines) {
  std::int64_t bytes = 0;
  for (const std::string& line : lines) bytes += static_cast<std::int64_t>(line.size());
  return bytes;
}

const std::vector<std::string>& BenchLines() {
  static const std::vector<std::string> lines = [] {
    testing::TextGenerator gen(42);
    return Lines(gen, 200);
  }();
  return lines;
}

// Applies pass to every bench line, each time from a fresh copy of the line.
template <typename Pass>
void ApplyToLines(benchmark::State& state, Pass pass) {
  std::string line;
  for (auto _ : state) {
    for (const std::string& input : BenchLines()) {
      line = input;
      pass.Apply(line);
      benchmark::DoNotOptimize(line.data());
    }
  }
  state.SetBytesProcessed(state.iterations() * Bytes(BenchLines()));
}

void BM_PhrasePassFast(benchmark::State& state) { ApplyToLines(state, PhrasePass(PhraseList())); }

void BM_PhrasePassReference(benchmark::State& state) {
  const std::vector<PhraseEntry> list = PhraseList();
  for (auto _ : state) {
    for (const std::string& input : BenchLines())
      benchmark::DoNotOptimize(reference::ApplyPhrasesLiteral(input, list));
  }
  state.SetBytesProcessed(state.iterations() * Bytes(BenchLines()));
}

void BM_NamePassFast(benchmark::State& state) { ApplyToLines(state, NamePass(NameList())); }

void BM_NamePassReference(benchmark::State& state) {
  const std::vector<NameEntry> names = NameList();
  for (auto _ : state) {
    for (const std::string& input : BenchLines())
      benchmark::DoNotOptimize(reference::ApplyNamesLiteral(input, names));
  }
  state.SetBytesProcessed(state.iterations() * Bytes(BenchLines()));
}

BENCHMARK(BM_PhrasePassFast)->Name("PhrasePass2000/Fast");
BENCHMARK(BM_PhrasePassReference)->Name("PhrasePass2000/Reference");
BENCHMARK(BM_NamePassFast)->Name("NamePass1000/Fast");
BENCHMARK(BM_NamePassReference)->Name("NamePass1000/Reference");

}  // namespace
}  // namespace lorvan
