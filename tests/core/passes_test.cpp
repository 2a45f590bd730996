// The phrase and name passes on hand-made lists (Windows-1250 bytes in octal: \350 is č): every
// row is also checked against the literal passes, which the differential tests take as the truth.
#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "common/find_needle.h"
#include "engine/barriers.h"
#include "engine/names.h"
#include "engine/phrases.h"
#include "reference/phrase_name_reference.h"

namespace lorvan {
namespace {

template <typename Entry>
struct Case {
  std::vector<Entry> list;
  std::string line, expected;
};

TEST(PhrasePass, BoundariesCaseOrderAndGroups) {
  const std::vector<PhraseEntry> group = {{"#kad", "2"}, {"m", "n"}, {"o", "p"}, {"r", "s"}};
  const Case<PhraseEntry> cases[] = {
      {{{" da li ", "je li"}}, "Da li zna\232? Zada li", "Je li zna\232? Zada li"},
      {{{" da li ", "je li"}}, "DA LI?", "JE LI?"},
      {{{" u toku dana ", "tijekom dana"}},
       "U TOKU DANA, u toku Dana",
       "TIJEKOM DANA, tijekom dana"},
      {{{"kad", "kada"}}, "nekad", "nekada"},  // no boundary marks: inside words too
      // trailing space: not before a letter; the boundary character stays
      {{{"da ", "x"}}, "dali da, li da", "dali x, li x"},
      {{{"da ", "x"}}, "da1 da\232 da\212", "x1 da\232 da\212"},
      // leading space: not after a letter, but at the start of the line
      {{{" da", "x"}}, "da ada (da \232da \310da", "x ada (x \232da \310da"},
      // all pairs at word starts: a change makes a word start after it, or moves one earlier
      {{{" ab", "x-"}, {" cd", "y"}}, "abcd", "x-y"},
      {{{" aaa", "b"}, {" c", "d"}}, "aaa xxxxxx c", "b xxxxxx d"},
      // the case of the occurrence; a first character without a small form raises the next
      {{{"li", "je"}}, "li LI Li lI LiI", "je JE Je je JeI"},
      {{{"\350a\232a", "\232alica"}}, "\310a\232a i \310A\212A", "\212alica i \212ALICA"},
      {{{"a", "\350a\232a"}}, "A", "\310A\212A"},
      {{{".ab", "xy"}}, ".aB .AB", "Xy XY"},
      {{{"@z[", "x"}}, "@Z[ `Z{ @z[!", "X `Z{ x!"},  // the bytes next to A-Z have no case
      // end spaces of source and target never reach the output, inner ones do
      {{{" da ", "  je li  "}}, "a da b", "a je li b"},
      {{{"da li", "x  y"}}, "a da li b", "a x  y b"},
      // no overlap; a replacement is not searched again
      {{{"aa", "b"}}, "aaaaa", "bba"},
      {{{"a", "aa"}}, "ab", "aab"},
      // a rejection at the right resumes one character on, at the left two characters on
      {{{"a. ", "!"}}, "a.a. ", "a.! "},
      {{{"aa ", "x"}}, "aaa b", "ax b"},
      {{{" ..", "!"}}, "x.. ..", "x.. !"},
      // groups: an absent key skips exactly its count, found without regard to case
      {group, "m o r", "m o s"},
      {group, "KaD m o r", "KaD n p s"},
      {{{"#kad", "3"}, {"m", "n"}, {"#kada", "1"}, {"o", "p"}, {"r", "s"}},
       "kad m o r",
       "kad n o s"},
      {{{"x", "kad"}, {"#kad", "1"}, {"m", "n"}}, "x m", "kad n"},  // key written earlier
      {{{"kad", "x"}, {"#kad", "1"}, {"m", "n"}}, "kad m", "x m"},  // key removed earlier
      {{{"# kad", "1"}, {"m", "n"}}, "kad m", "kad m"},             // the key is not trimmed
      {{{"#", "1"}, {"m", "n"}}, "m", "n"},                         // an empty key is found
      {{{"#kad", "1x"}, {"m", "n"}}, "m", "n"},  // a count with other text skips nothing
      {{{"#kad", "99999999999999999999"}, {"m", "n"}}, "m", "m"},
      {{{"#kad", "000000000000000000"}, {"m", "n"}, {"#x", "0001"}, {"o", "p"}}, "m o", "n o"},
      {{{"m", "n"}, {"#kad", "5"}, {"n", "o"}}, "m", "n"},  // a count beyond the list
      // a group inside a present one reaches past it, and its absent key skips " b"
      {{{"#a", "1"}, {"#zz", "2"}, {" q", "r"}, {" b", "c"}}, "b a", "b a"},
      // list order, no longest match; a later entry sees the earlier output
      {{{"ab", "x"}, {"abc", "y"}, {"x", "z"}}, "abc", "zc"},
      // an entry of the longest length, made by an earlier one at its last byte
      {{{"q", "z"}, {"abz", "X"}}, "abq", "X"},
      {{{"", "x"}, {"   ", "y"}, {"#m", "0"}, {"m", "n"}}, "#m", "#n"},
      {{}, "da li", "da li"},
  };
  for (const auto& c : cases) {
    PhrasePass pass(c.list);
    for (int reuse = 0; reuse < 2; ++reuse) {
      std::string line = c.line;
      pass.Apply(line);
      EXPECT_EQ(line, c.expected) << c.line;
    }
    EXPECT_EQ(reference::ApplyPhrasesLiteral(c.line, c.list), c.expected) << c.line;
  }
}

TEST(NamePass, OnlyMixedCaseOccurrencesInListOrder) {
  const Case<NameEntry> cases[] = {
      {{{"Njujork", "New York"}}, "U Njujorku, Njujork", "U New Yorku, New York"},
      {{{"Njujork", "New York"}}, "NJUJORK njujork NjuJork", "NJUJORK njujork NjuJork"},
      {{{"abc", "X"}, {"ABC", "X"}, {"1-2", "X"}, {"", "Y"}}, "abc ABC 1-2", "abc ABC 1-2"},
      {{{"Ab", " x "}}, "a Ab b", "a  x  b"},  // the target as stored, spaces included
      {{{"AbA", "x"}}, "AbAbA", "xbA"},
      {{{"\212abac", "Sabac"}}, "\212ABAC \212abac \232abac", "\212ABAC Sabac \232abac"},
      {{{"Ab", "Cd"}, {"Cd", "Ef"}, {"ef", "X"}}, "Ab ab Cd ef", "Ef ab Ef ef"},
      // Past the first sixteen bytes, and a source that starts with a small letter.
      {{{"\212abac", "Sabac"}},
       "iz grada koji se zove \212abac, i tako",
       "iz grada koji se zove Sabac, i tako"},
      {{{"eMail", "e-mail"}}, "poslano kao poruka preko eMail", "poslano kao poruka preko e-mail"},
  };
  for (const auto& c : cases) {
    NamePass pass(c.list);
    std::string line = c.line;
    pass.Apply(line);
    EXPECT_EQ(line, c.expected) << c.line;
    EXPECT_EQ(reference::ApplyNamesLiteral(c.line, c.list), c.expected) << c.line;
  }
}

// The search the passes use, against the library's, on random text of few distinct bytes,
// where needles meet often and at every distance from the end.
TEST(FindNeedle, AgreesWithTheLibrarySearch) {
  std::mt19937 rng(5);
  auto random_text = [&rng](std::size_t length) {
    std::string text;
    for (std::size_t i = 0; i < length; ++i) text += "ad \350"[rng() % 4];
    return text;
  };
  for (int i = 0; i < 20000; ++i) {
    const std::string text = random_text(rng() % 70), needle = random_text(rng() % 6);
    const std::size_t from = rng() % (text.size() + 3);
    ASSERT_EQ(FindNeedle(text, needle, from), std::string_view(text).find(needle, from))
        << text << " | " << needle << " | " << from;
  }
}

TEST(Barriers, CutOnlyAfterBarriersIntoPiecesOfTheLeastLength) {
  BarrierBytes barriers;
  barriers.Exclude(",a");
  EXPECT_TRUE(barriers.Contains('!'));
  EXPECT_FALSE(barriers.Contains('A'));
  std::vector<std::string> pieces = CutAtBarriers("ab!c!!d,e!fgh!", barriers, 3);
  EXPECT_EQ(pieces, (std::vector<std::string>{"ab!", "c!!", "d,e!", "fgh!"}));
  EXPECT_EQ(CutAtBarriers("abc,def", barriers, 3).size(), 1u);
  std::string joined;
  JoinPieces(pieces, &joined);
  EXPECT_EQ(joined, "ab!c!!d,e!fgh!");
}

}  // namespace
}  // namespace lorvan
