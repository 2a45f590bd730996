// The one-pass encoding routines against their literal pass-by-pass versions, line by line
// over a few MB of generated text.
#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "bench/bench_text.h"
#include "encoding/convert.h"
#include "encoding/cyrillic.h"
#include "reference/encoding_reference.h"

namespace lorvan {
namespace {

constexpr std::size_t kTextBytes = 3 << 20;

struct Corpus {
  std::vector<std::string> lines;
  std::int64_t bytes = 0;
};

template <typename MakeLine>
Corpus MakeCorpus(MakeLine make_line) {
  Corpus corpus;
  while (corpus.bytes < static_cast<std::int64_t>(kTextBytes)) {
    corpus.lines.push_back(make_line());
    corpus.bytes += static_cast<std::int64_t>(corpus.lines.back().size());
  }
  return corpus;
}

// Croatian-like lines in Windows-1250.
const Corpus& Cp1250Text() {
  static const Corpus corpus = [] {
    testing::TextGenerator gen(1);
    return MakeCorpus([&gen] { return gen.Line(gen.Uniform(6, 16)); });
  }();
  return corpus;
}

// The same lines in UTF-8.
const Corpus& Utf8Text() {
  static const Corpus corpus = [] {
    Corpus utf8 = Cp1250Text();
    utf8.bytes = 0;
    for (std::string& line : utf8.lines) utf8.bytes += ConvertEncoding(line, false).size();
    return utf8;
  }();
  return corpus;
}

// Serbian Cyrillic lines in UTF-8.
const Corpus& CyrillicText() {
  static const Corpus corpus = [] {
    testing::TextGenerator gen(2);
    return MakeCorpus([&gen] { return testing::CyrillicLine(gen, gen.Uniform(6, 16)); });
  }();
  return corpus;
}

template <typename Convert>
void RunOverLines(benchmark::State& state, const Corpus& corpus, Convert convert) {
  std::string buffer;
  for (auto _ : state) {
    for (const std::string& line : corpus.lines) {
      buffer.assign(line);
      convert(buffer);
      benchmark::DoNotOptimize(buffer.data());
    }
  }
  state.SetBytesProcessed(state.iterations() * corpus.bytes);
}

void BM_FromUtf8Fast(benchmark::State& state) {
  RunOverLines(state, Utf8Text(), [](std::string& s) { ConvertEncoding(s, true); });
}
void BM_FromUtf8Reference(benchmark::State& state) {
  RunOverLines(state, Utf8Text(),
               [](std::string& s) { s = reference::ConvertEncodingBySlots(std::move(s), true); });
}
void BM_ToUtf8Fast(benchmark::State& state) {
  RunOverLines(state, Cp1250Text(), [](std::string& s) { ConvertEncoding(s, false); });
}
void BM_ToUtf8Reference(benchmark::State& state) {
  RunOverLines(state, Cp1250Text(),
               [](std::string& s) { s = reference::ConvertEncodingBySlots(std::move(s), false); });
}
void BM_CyrillicFast(benchmark::State& state) {
  RunOverLines(state, CyrillicText(), [](std::string& s) { CyrillicToLatin(s); });
}
void BM_CyrillicReference(benchmark::State& state) {
  RunOverLines(state, CyrillicText(),
               [](std::string& s) { s = reference::CyrillicToLatinByRows(std::move(s)); });
}

BENCHMARK(BM_FromUtf8Fast)->Name("ConvertFromUtf8/Fast");
BENCHMARK(BM_FromUtf8Reference)->Name("ConvertFromUtf8/Reference");
BENCHMARK(BM_ToUtf8Fast)->Name("ConvertToUtf8/Fast");
BENCHMARK(BM_ToUtf8Reference)->Name("ConvertToUtf8/Reference");
BENCHMARK(BM_CyrillicFast)->Name("CyrillicToLatin/Fast");
BENCHMARK(BM_CyrillicReference)->Name("CyrillicToLatin/Reference");

}  // namespace
}  // namespace lorvan
