// Whole lines through the line scan: about 80,000 word pairs, 2,000 phrase entries in groups
// and 1,000 names over 10 MB of Serbian-like text, with the fast tables and passes against the
// literal ones (the literal run takes a 1 MB slice: it is measured per byte).
#include <benchmark/benchmark.h>

#include <algorithm>
#include <string>
#include <unordered_set>
#include <vector>

#include "common/text_file.h"
#include "dictionary/dictionary_loader.h"
#include "bench/bench_text.h"
#include "reference/reference_substitutions.h"
#include "engine/line_translator.h"

namespace lorvan {
namespace {

struct Corpus {
  std::string word_file;
  std::vector<PhraseEntry> phrases;
  std::vector<NameEntry> names;
  std::vector<std::string> lines;
  std::int64_t bytes = 0;
};

// Picks words by Zipf's law, as words occur in running text: the word of rank r with weight
// 1 / r.
class ZipfPicker {
 public:
  explicit ZipfPicker(const std::vector<std::string>& words) : words_(words) {
    double sum = 0;
    for (std::size_t r = 1; r <= words.size(); ++r) cumulative_.push_back(sum += 1.0 / double(r));
  }
  const std::string& operator()(testing::TextGenerator& gen) const {
    double x = std::uniform_real_distribution<double>(0, cumulative_.back())(gen.rng());
    auto it = std::lower_bound(cumulative_.begin(), cumulative_.end(), x);
    return words_[static_cast<std::size_t>(it - cumulative_.begin())];
  }

 private:
  const std::vector<std::string>& words_;
  std::vector<double> cumulative_;
};

Corpus MakeCorpus() {
  Corpus corpus;
  testing::TextGenerator gen(80000);
  std::vector<std::string> vocabulary;
  for (int i = 0; i < 100000; ++i) vocabulary.push_back(gen.Word(2, 12));
  for (int i = 0; i < 80000; ++i)
    corpus.word_file += vocabulary[static_cast<std::size_t>(i)] + "\t" + gen.Word(2, 12) + "\r\n";

  std::vector<std::string> names;
  for (int i = 0; i < 1000; ++i) {
    std::string name = gen.Word(4, 9);
    name[0] = static_cast<char>(name[0] >= 'a' && name[0] <= 'z' ? name[0] - 32 : 'N');
    names.push_back(name);
    corpus.names.push_back({name, gen.Word(4, 9)});
  }

  // Running text: vocabulary words by Zipf's law; the dictionary holds the first 80,000 of
  // them, the ranks are shuffled, so a fifth of the frequent words are not in it.
  std::vector<std::string> running = vocabulary;
  std::shuffle(running.begin(), running.end(), gen.rng());
  ZipfPicker zipf(running);

  // Phrases are made of the frequent words the word pass leaves alone, so that they occur in
  // the translated lines: 200 groups of 9 pairs keyed on such a word, then 200 more pairs.
  std::unordered_set<std::string> unknown(vocabulary.begin() + 80000, vocabulary.end());
  for (int i = 0; i < 80000; ++i) unknown.erase(vocabulary[static_cast<std::size_t>(i)]);
  std::vector<std::string> unchanged;
  for (const std::string& word : running) {
    if (unknown.count(word)) unchanged.push_back(word);
    if (unchanged.size() == 3000) break;
  }
  ZipfPicker phrase_words(unchanged);
  auto pair = [&] {
    return PhraseEntry{" " + phrase_words(gen) + " " + phrase_words(gen) + " ",
                       gen.Word(2, 8) + " " + gen.Word(2, 8)};
  };
  for (int g = 0; g < 200; ++g) {
    corpus.phrases.push_back({"#" + phrase_words(gen), "9"});
    for (int p = 0; p < 9; ++p) corpus.phrases.push_back(pair());
  }
  while (corpus.phrases.size() < 2000) corpus.phrases.push_back(pair());

  while (corpus.bytes < 10 * 1000 * 1000) {
    std::string line;
    for (int w = gen.Uniform(4, 16); w > 0; --w) {
      if (gen.Chance(0.05)) {
        line += names[static_cast<std::size_t>(gen.Uniform(0, 999))];
      } else if (gen.Chance(0.08)) {
        line += gen.Chance(0.5) ? "sa" : "k";
      } else {
        line += gen.RandomCase(zipf(gen));
      }
      line += gen.Chance(0.85) ? " " : ", ";
    }
    if (gen.Chance(0.1)) line = "<p class=\"x\">" + line + "</p>";
    corpus.bytes += static_cast<std::int64_t>(line.size()) + 2;
    corpus.lines.push_back(std::move(line));
  }
  return corpus;
}

const Corpus& TheCorpus() {
  static const Corpus corpus = MakeCorpus();
  return corpus;
}

void TranslateLines(benchmark::State& state, Substitutions& substitutions,
                    std::size_t line_count) {
  const Corpus& corpus = TheCorpus();
  std::int64_t bytes = 0;
  for (std::size_t i = 0; i < line_count; ++i)
    bytes += static_cast<std::int64_t>(corpus.lines[i].size()) + 2;
  LineTranslator translator(substitutions, {});
  for (auto _ : state) {
    FolderPassState pass;
    for (std::size_t i = 0; i < line_count; ++i)
      benchmark::DoNotOptimize(translator.Translate(corpus.lines[i], pass).size());
  }
  state.SetBytesProcessed(state.iterations() * bytes);
}

void BM_TranslateFast(benchmark::State& state) {
  const Corpus& corpus = TheCorpus();
  Dictionary dictionary;
  {
    DictionaryLoader loader(&dictionary);
    LineReader reader(corpus.word_file);
    std::string_view line;
    while (reader.Next(&line)) loader.AddWordPair(line);
  }
  dictionary.phrases = corpus.phrases;
  dictionary.names = corpus.names;
  DictionarySubstitutions substitutions(dictionary);
  TranslateLines(state, substitutions, corpus.lines.size());
}

void BM_TranslateReference(benchmark::State& state) {
  const Corpus& corpus = TheCorpus();
  reference::ReferenceSubstitutions substitutions(corpus.word_file, corpus.phrases, corpus.names);
  TranslateLines(state, substitutions, corpus.lines.size() / 10);
}

BENCHMARK(BM_TranslateFast)->Name("TranslateLines10MB/Fast")->Unit(benchmark::kMillisecond);
BENCHMARK(BM_TranslateReference)
    ->Name("TranslateLines10MB/Reference")
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1);

}  // namespace
}  // namespace lorvan
