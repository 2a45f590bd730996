// The phrase and name passes against the literal entry-by-entry passes on generated lists:
// short lines, lines long enough to be cut into pieces, and patterns too long for the matcher.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "engine/barriers.h"
#include "engine/names.h"
#include "engine/phrases.h"
#include "generators/phrase_generators.h"
#include "reference/phrase_name_reference.h"

namespace lorvan {
namespace {

using testing::PhraseListGenerator;

// Three phrase pairs, three headers and three names longer than the matcher takes, at random
// places in the lists.
void AddLongPatterns(PhraseListGenerator& gen, std::vector<PhraseEntry>& list,
                     std::vector<NameEntry>& names) {
  auto at = [&gen](std::size_t size) { return gen.text().Uniform(0, static_cast<int>(size)); };
  for (int n = 0; n < 3; ++n) {
    std::string source;
    while (source.size() <= kLongestMatchedPattern) source += gen.Fragment(2, 4) + " ";
    list.insert(list.begin() + at(list.size()), {source, gen.Fragment(0, 3)});
    list.insert(list.begin() + at(list.size()), {"#" + source.substr(1), "2"});
    names.insert(names.begin() + at(names.size()), {"X" + source, gen.Fragment(1, 2)});
  }
}

// A line of more than kLongLine bytes made of generated lines. With barriers, some of them are
// joined by bytes the generated lists never hold; without, the line holds none and is passed
// whole.
std::string LongLine(PhraseListGenerator& gen, const std::vector<std::string>& sources,
                     bool barriers) {
  static constexpr std::string_view kJoins[] = {"!", "; ", "(", "\")", " ", ", ", ".", "?"};
  std::string line;
  while (line.size() <= kLongLine + 100) {
    line += gen.Line(sources);
    line += kJoins[gen.text().Uniform(barriers ? 0 : 4, std::size(kJoins) - 1)];
  }
  return line;
}

// Applies both passes to line and compares them with the literal ones.
void ExpectSameAsLiteral(PhrasePass& phrase_pass, const std::vector<PhraseEntry>& list,
                         NamePass& name_pass, const std::vector<NameEntry>& names,
                         const std::string& line, std::uint32_t seed) {
  std::string fast = line;
  phrase_pass.Apply(fast);
  ASSERT_TRUE(fast == reference::ApplyPhrasesLiteral(line, list))
      << "phrases, seed " << seed << ", line of " << line.size() << " bytes";
  fast = line;
  name_pass.Apply(fast);
  ASSERT_TRUE(fast == reference::ApplyNamesLiteral(line, names))
      << "names, seed " << seed << ", line of " << line.size() << " bytes";
}

// The list with a space before every pair's source that lacks one: then every pair wants a
// word start, and the phrase pass tries its prefilter at word starts only.
std::vector<PhraseEntry> AtWordStarts(std::vector<PhraseEntry> list) {
  for (PhraseEntry& entry : list)
    if (!entry.source.empty() && entry.source[0] != '#' && entry.source[0] != ' ')
      entry.source.insert(0, " ");
  return list;
}

// Every tenth list is long, so that many absent headers are passed at once; the first three
// are also tried on long lines, with and without barriers (the literal passes are slow there).
TEST(PassesDifferential, GeneratedListsShortAndLongLines) {
  {  // an absent key too long for the matcher skips its group in every piece
    std::vector<PhraseEntry> list = {{"#" + std::string(300, 'k'), "1"}, {"a", "b"}};
    std::vector<NameEntry> names;
    PhrasePass phrase_pass(list);
    NamePass name_pass(names);
    std::string line;
    while (line.size() <= kLongLine) line += "a! ";
    ASSERT_NO_FATAL_FAILURE(ExpectSameAsLiteral(phrase_pass, list, name_pass, names, line, 0));
  }
  for (std::uint32_t seed = 1; seed <= 600; ++seed) {
    PhraseListGenerator gen(seed);
    const bool long_lines = seed <= 3;
    std::vector<PhraseEntry> list = gen.Phrases(long_lines      ? gen.text().Uniform(40, 100)
                                                : seed % 10 == 0 ? gen.text().Uniform(150, 400)
                                                                 : gen.text().Uniform(1, 40));
    std::vector<NameEntry> names = gen.Names(gen.text().Uniform(long_lines ? 5 : 1, 30));
    if (seed % 7 == 0 || seed == 2 || seed == 3) AddLongPatterns(gen, list, names);
    PhrasePass phrase_pass(list);
    NamePass name_pass(names);
    const std::vector<PhraseEntry> anchored = AtWordStarts(list);
    PhrasePass anchored_pass(anchored);
    std::vector<std::string> sources = testing::SourcesOf(list);
    for (const std::string& name : testing::SourcesOf(names)) sources.push_back(name);
    for (int n = 0; n < 5; ++n) {
      const std::string line = gen.Line(sources);
      ASSERT_NO_FATAL_FAILURE(ExpectSameAsLiteral(phrase_pass, list, name_pass, names, line, seed));
      ASSERT_NO_FATAL_FAILURE(
          ExpectSameAsLiteral(anchored_pass, anchored, name_pass, names, line, seed));
    }
    if (!long_lines) continue;
    for (bool barriers : {true, false})
      ASSERT_NO_FATAL_FAILURE(ExpectSameAsLiteral(phrase_pass, list, name_pass, names,
                                                  LongLine(gen, sources, barriers), seed));
  }
}

}  // namespace
}  // namespace lorvan
