// The phrase and name passes on lines long enough to be cut into pieces, and with patterns too
// long for the matcher: the result must equal the literal entry-by-entry passes.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "engine/barriers.h"
#include "engine/names.h"
#include "engine/phrases.h"
#include "reference/phrase_generators.h"
#include "reference/phrase_name_reference.h"

namespace lorvan {
namespace {

// The literal passes on long lines are slow in sanitizer builds: fewer lists there.
#if defined(__SANITIZE_ADDRESS__)
constexpr std::uint32_t kLists = 1;
#else
constexpr std::uint32_t kLists = 6;
#endif

// Bytes the generated lists never hold, so that they are barriers; "," "." "?" are not.
constexpr std::string_view kJoins[] = {"!", "; ", "(", "\")", " ", ", ", ".", "?"};

// A line of more than kLongLine bytes made of generated lines. With barriers, some of the
// generated lines are joined by a barrier byte; without, the line holds none and is passed
// whole.
std::string LongLine(testing::PhraseListGenerator& gen, const std::vector<std::string>& sources,
                     bool barriers) {
  std::string line;
  while (line.size() <= kLongLine + 100) {
    line += gen.Line(sources);
    line += kJoins[gen.text().Uniform(barriers ? 0 : 4, std::size(kJoins) - 1)];
  }
  return line;
}

TEST(LongLine, CutsOnlyAfterBarriersIntoPiecesOfTheLeastLength) {
  BarrierBytes barriers;
  barriers.Exclude(",");
  EXPECT_TRUE(barriers.Contains('!'));
  EXPECT_FALSE(barriers.Contains(','));
  EXPECT_FALSE(barriers.Contains('a'));
  const std::vector<std::string> pieces = CutAtBarriers("ab!c!!d,e!fgh!", barriers, 3);
  EXPECT_EQ(pieces, (std::vector<std::string>{"ab!", "c!!", "d,e!", "fgh!"}));
  EXPECT_EQ(CutAtBarriers("abc,def", barriers, 3).size(), 1u);
  std::vector<std::string> copy = pieces;
  std::string joined;
  JoinPieces(copy, &joined);
  EXPECT_EQ(joined, "ab!c!!d,e!fgh!");
}

TEST(LongLine, PhrasePassEqualsTheLiteralPass) {
  for (std::uint32_t seed = 1; seed <= kLists; ++seed) {
    testing::PhraseListGenerator gen(seed);
    std::vector<PhraseEntry> list = gen.Phrases(gen.text().Uniform(20, 300));
    PhrasePass pass(list);
    std::vector<std::string> sources = testing::SourcesOf(list);
    for (bool barriers : {true, true, false}) {
      std::string line = LongLine(gen, sources, barriers);
      std::string expected = reference::ApplyPhrasesLiteral(line, list);
      std::string fast = line;
      pass.Apply(fast);
      ASSERT_TRUE(fast == expected) << "seed " << seed << " barriers " << barriers;
    }
  }
}

TEST(LongLine, NamePassEqualsTheLiteralPass) {
  for (std::uint32_t seed = 1; seed <= 2 * kLists; ++seed) {
    testing::PhraseListGenerator gen(seed);
    std::vector<NameEntry> names = gen.Names(gen.text().Uniform(5, 40));
    NamePass pass(names);
    std::vector<std::string> sources = testing::SourcesOf(names);
    for (bool barriers : {true, true, false}) {
      std::string line = LongLine(gen, sources, barriers);
      std::string expected = reference::ApplyNamesLiteral(line, names);
      std::string fast = line;
      pass.Apply(fast);
      ASSERT_TRUE(fast == expected) << "seed " << seed << " barriers " << barriers;
    }
  }
}

// Text longer than the longest pattern the matcher takes.
std::string LongPattern(testing::PhraseListGenerator& gen) {
  std::string text;
  while (text.size() <= kLongestMatchedPattern) text += gen.Fragment(2, 4) + " ";
  return text;
}

TEST(LongPattern, PassesEqualTheLiteralPasses) {
  for (std::uint32_t seed = 1; seed <= 7 * kLists; ++seed) {
    testing::PhraseListGenerator gen(seed);
    std::vector<PhraseEntry> list = gen.Phrases(gen.text().Uniform(5, 40));
    std::vector<NameEntry> names = gen.Names(gen.text().Uniform(5, 20));
    for (int n = 0; n < 3; ++n) {
      std::string source = LongPattern(gen);
      auto at = [&gen](std::size_t size) { return gen.text().Uniform(0, static_cast<int>(size)); };
      list.insert(list.begin() + at(list.size()), {source, gen.Fragment(0, 3)});
      list.insert(list.begin() + at(list.size()), {"#" + source.substr(1), "2"});
      names.insert(names.begin() + at(names.size()), {"X" + source, gen.Fragment(1, 2)});
    }
    PhrasePass phrase_pass(list);
    NamePass name_pass(names);
    std::vector<std::string> sources = testing::SourcesOf(list);
    for (const std::string& name : testing::SourcesOf(names)) sources.push_back(name);
    for (int n = 0; n < 6; ++n) {
      std::string line = n >= 3 ? LongLine(gen, sources, true) : gen.Line(sources);
      std::string fast = line;
      phrase_pass.Apply(fast);
      ASSERT_EQ(fast, reference::ApplyPhrasesLiteral(line, list)) << "seed " << seed;
      fast = line;
      name_pass.Apply(fast);
      ASSERT_EQ(fast, reference::ApplyNamesLiteral(line, names)) << "seed " << seed;
    }
  }
}

}  // namespace
}  // namespace lorvan
