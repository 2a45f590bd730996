#include "engine/names.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "reference/phrase_generators.h"
#include "reference/phrase_name_reference.h"
#include "tests/core/cp1250_text.h"

namespace lorvan {
namespace {

using testing::W;

struct ReplaceCase {
  std::string text, source, target;
  int mode;
  std::string expected;
};

TEST(ReplaceName, OnlyMixedCaseOccurrencesAreReplaced) {
  const ReplaceCase cases[] = {
      {"Bio sam u Njujorku.", "Njujork", "New York", 0, "Bio sam u New Yorku."},
      {"NJUJORK njujork", "Njujork", "New York", 0, "NJUJORK njujork"},
      {"Njujork, Njujork", "Njujork", "New York", 0, "New York, New York"},
      {"abc", "abc", "X", 0, "abc"},
      {"ABC", "ABC", "X", 0, "ABC"},
      {"1-2", "1-2", "X", 0, "1-2"},
      {"a Ab b", "Ab", " x ", 0, "a  x  b"},  // target as stored, spaces included
      {"AbAbA", "AbA", "x", 0, "xbA"},
      {W("ŠABAC Šabac šabac"), W("Šabac"), "Sabac", 0, W("ŠABAC Sabac šabac")},
      {W("Đakovo"), W("Đakovo"), "Djakovo", 0, "Djakovo"},
      // without regard to case, the occurrence decides
      {"njujork NJUJORK NjuJork", "Njujork", "NY", 1, "njujork NJUJORK NY"},
      {"ABa", "ab", "X", 1, "ABa"},  // a kept occurrence is not searched again
      {"aBab", "ab", "X", 1, "Xab"},
      {"abc", "", "X", 0, "abc"},
  };
  for (const ReplaceCase& c : cases) {
    EXPECT_EQ(ReplaceName(c.text, c.source, c.target, c.mode), c.expected) << c.text;
    EXPECT_EQ(reference::ReplaceNameLiteral(c.text, c.source, c.target, c.mode), c.expected)
        << c.text;
  }
}

TEST(NamePass, EntriesInListOrder) {
  NamePass pass(
      std::vector<NameEntry>{{"Ab", "Cd"}, {"Cd", "Ef"}, {"ef", "X"}, {"", "Y"}, {"Bc", "Bc"}});
  const std::pair<std::string, std::string> cases[] = {
      {"Ab", "Ef"}, {"ab Cd", "ab Ef"}, {"ef EF", "ef EF"}, {"Bc", "Bc"}, {"", ""}};
  for (const auto& [line, expected] : cases) {
    std::string text = line;
    pass.Apply(text);
    EXPECT_EQ(text, expected) << line;
  }
}

TEST(NamePass, MatchesLiteralPassOnRandomLists) {
  int compared = 0;
  for (std::uint32_t seed = 1; seed <= 3000; ++seed) {
    testing::PhraseListGenerator gen(seed);
    std::vector<NameEntry> names = gen.Names(gen.text().Uniform(1, 30));
    NamePass pass(names);
    std::vector<std::string> sources = testing::SourcesOf(names);
    for (int n = 0; n < 5; ++n) {
      std::string line = gen.Line(sources);
      std::string expected = reference::ApplyNamesLiteral(line, names);
      std::string fast = line;
      pass.Apply(fast);
      ASSERT_EQ(fast, expected) << "seed " << seed << " line [" << line << "]";
      ++compared;
    }
  }
  EXPECT_EQ(compared, 15000);
}

TEST(ReplaceName, MatchesLiteralOnRandomEntries) {
  testing::PhraseListGenerator gen(11);
  for (int n = 0; n < 20000; ++n) {
    NameEntry entry = gen.Names(1).back();
    std::string text = gen.Line({entry.source});
    int mode = n % 2;
    ASSERT_EQ(ReplaceName(text, entry.source, entry.target, mode),
              reference::ReplaceNameLiteral(text, entry.source, entry.target, mode))
        << "[" << text << "] [" << entry.source << "] mode " << mode;
  }
}

}  // namespace
}  // namespace lorvan
