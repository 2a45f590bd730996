#include "engine/phrases.h"

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
  std::string text, source, target, expected;
};

TEST(ReplacePhrase, BoundariesCaseAndOccurrences) {
  const ReplaceCase cases[] = {
      {W("Da li znaš?"), " da li ", "je li", W("Je li znaš?")},
      {"DA LI?", " da li ", "je li", "JE LI?"},
      {W("Zada li nešto"), " da li ", "je li", W("Zada li nešto")},
      {"da li", " da li ", "je li", "je li"},
      {"nekad", "kad", "kada", "nekada"},  // no boundary marks: inside words too
      // trailing space: not before a letter; the boundary character stays
      {"dali", "da ", "x", "dali"},
      {"da, li da", "da ", "x", "x, li x"},
      {"da1 da!", "da ", "x", "x1 x!"},
      {W("daš daŠ"), "da ", "x", W("daš daŠ")},
      // leading space: not after a letter, but at the start of the line
      {"ada", " da", "x", "ada"},
      {"(da", " da", "x", "(x"},
      {W("šda Čda"), " da", "x", W("šda Čda")},
      // the case of the occurrence
      {"li LI Li lI LiI", "li", "je", "je JE Je je JeI"},
      {"LiI", "lii", "je", "Je"},
      {W("Čaša i ČAŠA i čaša"), W("čaša"), W("šalica"), W("Šalica i ŠALICA i šalica")},
      {"A", "a", W("čaša"), W("ČAŠA")},
      {"Ab", "ab", W("čaša"), W("Čaša")},
      {".A", ".a", "xy", "XY"},
      {".aB", ".ab", "xy", "Xy"},  // first character has no small form
      // end spaces of source and target never reach the output, inner ones do
      {"a da b", " da ", "  je li  ", "a je li b"},
      {"a da b", " da ", "", "a  b"},
      {"a da li b", "da li", "x  y", "a x  y b"},
      // several occurrences, no overlap, the replacement is not searched again
      {"da da da", "da", "ne", "ne ne ne"},
      {"aaaa", "aa", "b", "bb"},
      {"aaa", "aa", "b", "ba"},
      {"ab", "a", "aa", "aab"},
      // a rejection at the right resumes one character on, at the left two characters on
      {"a.a. ", "a. ", "!", "a.! "},
      {"x...", " ..", "!", "x..."},
      {"x.. ..", " ..", "!", "x.. !"},
      // nothing to search for
      {"abc", "", "x", "abc"},
      {"abc", "   ", "x", "abc"},
  };
  for (const ReplaceCase& c : cases) {
    EXPECT_EQ(ReplacePhrase(c.text, c.source, c.target, 1), c.expected)
        << c.text << " / " << c.source;
    EXPECT_EQ(reference::ReplacePhraseLiteral(c.text, c.source, c.target, 1), c.expected)
        << c.text << " / " << c.source;
  }
}

TEST(ReplacePhrase, ExactModeFindsOnlyTheSameCase) {
  EXPECT_EQ(ReplacePhrase("Da da DA", "da", "ne", 0), "Da ne DA");
  EXPECT_EQ(ReplacePhrase(W("Čaša čaša"), W("Čaša"), "x", 0), W("X čaša"));
}

struct PassCase {
  const char* name;
  std::vector<PhraseEntry> list;
  std::string line, expected;
};

TEST(PhrasePass, OrderGroupsAndMends) {
  const std::vector<PhraseEntry> group = {{"#kad", "2"}, {"m", "n"}, {"o", "p"}, {"r", "s"}};
  const PassCase cases[] = {
      {"absent key skips exactly N", group, "m o r", "m o s"},
      {"present key applies the group", group, "kad m o r", "kad n p s"},
      {"key found without regard to case", group, "KaD m o r", "KaD n p s"},
      {"list order, no longest match", {{"ab", "x"}, {"abc", "y"}}, "abc", "xc"},
      {"later entry sees earlier output", {{"a", "b"}, {"b", "c"}}, "a", "c"},
      {"key written by an earlier entry",
       {{"x", "kad"}, {"#kad", "1"}, {"m", "n"}},
       "x m",
       "kad n"},
      {"key removed by an earlier entry",
       {{"kad", "x"}, {"#kad", "1"}, {"m", "n"}},
       "kad m",
       "x m"},
      {"subgroup inside a group",
       {{"#kad", "3"}, {"m", "n"}, {"#kada", "1"}, {"o", "p"}, {"r", "s"}},
       "kad m o r",
       "kad n o s"},
      {"key is not trimmed", {{"# kad", "1"}, {"m", "n"}}, "kad m", "kad m"},
      {"empty key is always found", {{"#", "1"}, {"m", "n"}}, "m", "n"},
      {"no number skips nothing", {{"#kad", ""}, {"m", "n"}}, "m", "n"},
      {"a number with other text skips nothing", {{"#kad", "1x"}, {"m", "n"}}, "m", "n"},
      {"huge count ends the pass", {{"#kad", "99999999999999999999"}, {"m", "n"}}, "m", "m"},
      {"leading zeros count for nothing",
       {{"#kad", "0000000000000000000000"}, {"m", "n"}, {"#x", "00000000000000000001"}, {"o", "p"}},
       "m o",
       "n o"},
      {"count beyond the list ends the pass", {{"m", "n"}, {"#kad", "5"}, {"n", "o"}}, "m", "n"},
      {"blank sources do nothing", {{"", "x"}, {"   ", "y"}, {"m", "n"}}, "m", "n"},
      {"a header is never a replacement", {{"#m", "0"}, {"m", "n"}}, "#m", "#n"},
      {"boundary marks in a list",
       {{" da li ", "je li"}},
       W("Da li znaš? Zada li"),
       W("Je li znaš? Zada li")},
  };
  for (const PassCase& c : cases) {
    PhrasePass pass(c.list);
    std::string line = c.line;
    pass.Apply(line);
    EXPECT_EQ(line, c.expected) << c.name;
    EXPECT_EQ(reference::ApplyPhrasesLiteral(c.line, c.list), c.expected) << c.name;
  }
}

TEST(PhrasePass, EmptyListAndReuse) {
  PhrasePass empty({});
  std::string line = "da li";
  empty.Apply(line);
  EXPECT_EQ(line, "da li");
  PhrasePass pass(std::vector<PhraseEntry>{{" da li ", "je li"}});
  for (int i = 0; i < 3; ++i) {
    line = "Da li da li";
    pass.Apply(line);
    EXPECT_EQ(line, "Je li je li");
  }
}

TEST(PhrasePass, MatchesLiteralPassOnRandomLists) {
  int compared = 0;
  for (std::uint32_t seed = 1; seed <= 3000; ++seed) {
    testing::PhraseListGenerator gen(seed);
    // Every tenth list is long, so that many absent headers are passed at once.
    int pairs = seed % 10 == 0 ? gen.text().Uniform(150, 400) : gen.text().Uniform(1, 40);
    std::vector<PhraseEntry> list = gen.Phrases(pairs);
    PhrasePass pass(list);
    std::vector<std::string> sources = testing::SourcesOf(list);
    for (int n = 0; n < 5; ++n) {
      std::string line = gen.Line(sources);
      std::string expected = reference::ApplyPhrasesLiteral(line, list);
      std::string fast = line;
      pass.Apply(fast);
      ASSERT_EQ(fast, expected) << "seed " << seed << " line [" << line << "]";
      ++compared;
    }
  }
  EXPECT_EQ(compared, 15000);
}

TEST(ReplacePhrase, MatchesLiteralOnRandomEntries) {
  testing::PhraseListGenerator gen(7);
  for (int n = 0; n < 20000; ++n) {
    std::vector<PhraseEntry> list = gen.Phrases(1);
    const PhraseEntry& entry = list.back();
    std::string text = gen.Line({entry.source});
    int mode = n % 2;
    ASSERT_EQ(ReplacePhrase(text, entry.source, entry.target, mode),
              reference::ReplacePhraseLiteral(text, entry.source, entry.target, mode))
        << "[" << text << "] [" << entry.source << "] mode " << mode;
  }
}

}  // namespace
}  // namespace lorvan
