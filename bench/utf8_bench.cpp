// The UTF-8 layer's throughput: decoding UTF-8 into Windows-1250 and encoding it back, over a
// few MB of generated Serbian Latin text (whole and line by line) and of Serbian Cyrillic text.
#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "bench/bench_text.h"
#include "encoding/display_text.h"
#include "encoding/utf8_text.h"

namespace lorvan {
namespace {

constexpr std::size_t kTextBytes = 3 << 20;

struct Corpus {
  std::vector<std::string> lines;  // without line ends
  std::string text;                // the lines, each followed by CR LF
};

template <typename MakeLine>
Corpus MakeCorpus(MakeLine make_line) {
  Corpus corpus;
  while (corpus.text.size() < kTextBytes) {
    corpus.lines.push_back(make_line());
    corpus.text += corpus.lines.back() + "\r\n";
  }
  return corpus;
}

// Serbian-like Latin lines in UTF-8: mostly ASCII, with Croatian letters, „ and tags.
const Corpus& LatinText() {
  static const Corpus corpus = [] {
    testing::TextGenerator gen(1);
    return MakeCorpus([&gen] { return Cp1250ToUtf8(gen.Line(gen.Uniform(6, 16))); });
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

void DecodeWhole(benchmark::State& state, const Corpus& corpus, bool cyrillic) {
  std::string cp1250;
  KeptCharacters kept;
  for (auto _ : state) {
    cp1250.clear();
    kept.Clear();
    DecodeUtf8(corpus.text, cyrillic, &cp1250, &kept);
    benchmark::DoNotOptimize(cp1250.data());
  }
  state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(corpus.text.size()));
}

void BM_DecodeLatin(benchmark::State& state) { DecodeWhole(state, LatinText(), false); }
void BM_DecodeCyrillic(benchmark::State& state) { DecodeWhole(state, CyrillicText(), true); }

void BM_DecodeLatinByLine(benchmark::State& state) {
  const Corpus& corpus = LatinText();
  std::string cp1250;
  KeptCharacters kept;
  for (auto _ : state) {
    kept.Clear();
    for (const std::string& line : corpus.lines) {
      cp1250.clear();
      DecodeUtf8(line, false, &cp1250, &kept);
      benchmark::DoNotOptimize(cp1250.data());
    }
  }
  state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(corpus.text.size()));
}

// Encodes the decoded Latin text back, whole or line by line; bytes counted are the UTF-8
// bytes written, as for decoding.
void EncodeLatin(benchmark::State& state, bool by_line) {
  const Corpus& corpus = LatinText();
  std::string whole;
  std::vector<std::string> lines;
  KeptCharacters kept, kept_by_line;  // the same characters in the same order
  DecodeUtf8(corpus.text, false, &whole, &kept);
  for (const std::string& line : corpus.lines) {
    lines.emplace_back();
    DecodeUtf8(line, false, &lines.back(), &kept_by_line);
  }
  std::string utf8;
  for (auto _ : state) {
    KeptCharacters::Cursor cursor = kept.Begin();
    if (by_line) {
      for (const std::string& line : lines) {
        utf8.clear();
        EncodeUtf8(line, &cursor, &utf8);
        benchmark::DoNotOptimize(utf8.data());
      }
    } else {
      utf8.clear();
      EncodeUtf8(whole, &cursor, &utf8);
      benchmark::DoNotOptimize(utf8.data());
    }
  }
  state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(corpus.text.size()));
}

void BM_EncodeLatin(benchmark::State& state) { EncodeLatin(state, false); }
void BM_EncodeLatinByLine(benchmark::State& state) { EncodeLatin(state, true); }

BENCHMARK(BM_DecodeLatin)->Name("DecodeUtf8/Latin");
BENCHMARK(BM_DecodeLatinByLine)->Name("DecodeUtf8/LatinByLine");
BENCHMARK(BM_DecodeCyrillic)->Name("DecodeUtf8/Cyrillic");
BENCHMARK(BM_EncodeLatin)->Name("EncodeUtf8/Latin");
BENCHMARK(BM_EncodeLatinByLine)->Name("EncodeUtf8/LatinByLine");

}  // namespace
}  // namespace lorvan
