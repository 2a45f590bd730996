// Random phrase lists (groups, subgroups, boundary spaces, odd counts), name lists and lines
// over a tiny vocabulary in Windows-1250, so that sources, keys, targets and lines meet often.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "dictionary/dictionary.h"
#include "generators/generators.h"

namespace lorvan::testing {

class PhraseListGenerator {
 public:
  explicit PhraseListGenerator(std::uint32_t seed) : text_(seed) {}

  // Pieces of the vocabulary, each in a random case shape, joined mostly without a gap or
  // with a space, sometimes with punctuation or a digit.
  std::string Fragment(int min_pieces, int max_pieces);
  // A list of `pairs` pairs with groups and subgroups between them; most groups carry the
  // count of their pairs, some the count of the entries they span, a wrong or huge number,
  // or no number at all; some keys are empty.
  std::vector<PhraseEntry> Phrases(int pairs);
  // Names mostly in mixed case, some in one case, without letters or empty.
  std::vector<NameEntry> Names(int count);
  // A line of vocabulary pieces, with some of sources copied into it.
  std::string Line(const std::vector<std::string>& sources);

  TextGenerator& text() { return text_; }

 private:
  struct OpenGroup {
    std::size_t header;
    int pairs;
  };

  PhraseEntry Pair();
  std::string Key();
  void Close(std::vector<PhraseEntry>& list, const OpenGroup& group);

  TextGenerator text_;
};

// The sources of a list (phrases or names), to copy into generated lines.
template <typename Entry>
std::vector<std::string> SourcesOf(const std::vector<Entry>& list) {
  std::vector<std::string> sources;
  for (const Entry& entry : list) sources.push_back(entry.source);
  return sources;
}

}  // namespace lorvan::testing
