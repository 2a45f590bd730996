#include "engine/line_translator.h"

#include <gtest/gtest.h>

#include "tests/core/fake_substitutions.h"

namespace lorvan {
namespace {

using testing::FakeSubstitutions;

std::vector<std::string> LookedUp(const FakeSubstitutions& subs) {
  std::vector<std::string> words;
  for (const auto& l : subs.lookups()) words.push_back(l.word);
  return words;
}

TEST(LineTranslator, ShortLinesPassUntouched) {
  FakeSubstitutions subs;
  LineTranslator translator(subs, {.skip_tags = true, .cyrillic = true});
  FolderPassState state;
  EXPECT_EQ(translator.Translate("", state), "");
  EXPECT_EQ(translator.char_pos(), 0);
  EXPECT_EQ(translator.Translate("\x9e", state), "\x9e");  // no conversion to UTF-8
  EXPECT_EQ(translator.char_pos(), 1);
  EXPECT_TRUE(subs.lookups().empty());
}

TEST(LineTranslator, ConvertsUtf8LettersAndCountsTheConvertedLine) {
  FakeSubstitutions subs;
  subs.Add("\350a\232a", "kupa");  // čaša
  LineTranslator translator(subs, {});
  FolderPassState state;
  // č a š a in UTF-8: eight bytes in, four letters scanned.
  EXPECT_EQ(translator.Translate("\304\215a\305\241a!", state), "kupa!");
  EXPECT_EQ(translator.char_pos(), 5 + 2);
  EXPECT_EQ(translator.Translate("\305\276aba \342\200\236", state), "\236aba \204");
}

TEST(LineTranslator, CyrillicLinesComeBackInUtf8) {
  FakeSubstitutions subs;
  subs.Add("\236aba", "\350ap\346a");
  LineTranslator translator(subs, {.skip_tags = true, .cyrillic = true});
  FolderPassState state;
  // Жаба → Žaba → Čapća, written back in UTF-8.
  EXPECT_EQ(translator.Translate("\xd0\x96\xd0\xb0\xd0\xb1\xd0\xb0", state), "\304\214ap\304\207a");
}

TEST(LineTranslator, LeavesTagsAloneAcrossLinesWhenAsked) {
  FakeSubstitutions subs;
  subs.Add("hleb", "kruh");
  LineTranslator translator(subs, {.skip_tags = true, .cyrillic = false});
  FolderPassState state;
  EXPECT_EQ(translator.Translate("<b>", state), "<b>");
  EXPECT_EQ(translator.Translate("hleb <a title=\"hleb", state), "kruh <a title=\"hleb");
  EXPECT_TRUE(state.in_tag);
  EXPECT_EQ(translator.Translate("hleb\">hleb</a>", state), "hleb\">kruh</a>");
  EXPECT_FALSE(state.in_tag);
  EXPECT_EQ(LookedUp(subs), (std::vector<std::string>{"hleb", "hleb"}));

  // A "<" opens a tag only before a letter, "/", "!" or "?"; otherwise it is text.
  EXPECT_EQ(translator.Translate("2<<26 hleb < 3 hleb <!-- hleb -->", state),
            "2<<26 kruh < 3 kruh <!-- hleb -->");
  EXPECT_FALSE(state.in_tag);
  // A tag after other characters than letters is found all the same.
  subs.lookups().clear();
  EXPECT_EQ(translator.Translate("hleb, 12 <a title=\"hleb\">hleb", state),
            "kruh, 12 <a title=\"hleb\">kruh");
  EXPECT_EQ(LookedUp(subs), (std::vector<std::string>{"hleb", "hleb"}));

  FakeSubstitutions subs2;
  subs2.Add("hleb", "kruh");
  LineTranslator plain(subs2, {.skip_tags = false, .cyrillic = false});
  FolderPassState state2;
  EXPECT_EQ(plain.Translate("<a title=\"hleb\">hleb", state2), "<a title=\"kruh\">kruh");
}

TEST(LineTranslator, RunsThePassesOnlyOnLinesLongerThanFive) {
  FakeSubstitutions subs;
  subs.RewritePhrase("abc def", "abc");
  LineTranslator translator(subs, {});
  FolderPassState state;
  translator.Translate("abcde", state);
  translator.Translate("abcdef", state);
  translator.Translate("abc def", state);  // the phrase pass shortens it: no name pass
  EXPECT_EQ(subs.phrase_lines(), (std::vector<std::string>{"abcdef", "abc def"}));
  EXPECT_EQ(subs.name_lines(), (std::vector<std::string>{"abcdef"}));
}

TEST(LineTranslator, KeepsDigitsApostrophesAndOtherLettersAsWordEnds) {
  FakeSubstitutions subs;
  LineTranslator translator(subs, {});
  FolderPassState state;
  EXPECT_EQ(translator.Translate("ab1cd'ef\xe4gh-ij", state), "ab1cd'ef\xe4gh-ij");
  EXPECT_EQ(LookedUp(subs), (std::vector<std::string>{"ab", "cd", "ef", "gh", "ij"}));
  // The letters of a format directive are no word and never a preposition.
  subs.lookups().clear();
  EXPECT_EQ(translator.Translate("%s sekundi, sa %d", state), "%s sekundi, s %d");
  EXPECT_EQ(LookedUp(subs), (std::vector<std::string>{"sekundi"}));
  // A preposition is joined only to the word right after its space.
  EXPECT_EQ(translator.Translate("s  sobom, k 2 kraja", state), "s  sobom, k 2 kraja");
}

// Single letters are never looked up, nor "da" in any case and "SO" in capitals; other words
// of two letters are.
TEST(LineTranslator, LooksUpShortWordsAsTheWordEndRulesDo) {
  FakeSubstitutions subs;
  subs.Add("so", "x");
  subs.Add("da", "x");
  LineTranslator translator(subs, {});
  FolderPassState state;
  EXPECT_EQ(translator.Translate("a Da dA SO So ne i", state), "a Da dA SO X ne i");
  EXPECT_EQ(LookedUp(subs), (std::vector<std::string>{"So", "ne"}));
}

}  // namespace
}  // namespace lorvan
