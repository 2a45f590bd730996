#include "engine/word_end.h"

#include <gtest/gtest.h>

#include "tests/core/fake_substitutions.h"

namespace lorvan {
namespace {

// Runs the word ends of text the way the line scan does (spaces and punctuation end words,
// a held preposition swallows its space) and returns what would be written.
std::string Scan(const Substitutions& subs, FolderPassState& state, const std::string& text) {
  std::string out, word;
  for (char c : text + '\r') {
    auto ch = static_cast<unsigned char>(c);
    if (IsWordLetter(ch)) {
      word += c;
      continue;
    }
    bool held = HandleWordEnd(subs, state, word, ch);
    if (!held) out += word + (c == '\r' ? std::string() : std::string(1, c));
    word.clear();
  }
  return out;
}

// The forms in running text, in capitals and before "mn" are in the golden file prepositions;
// these rows are the letters that take "sa"/"ka" and the edges.
TEST(WordEnd, ChoosesPrepositionFormsFromTheFollowingWord) {
  const struct {
    const char* in;
    const char* out;
  } cases[] = {
      {"sa tobom", "s tobom"},
      {"s sobom", "sa sobom"},
      {"s zakonom", "sa zakonom"},
      {"s \236enom", "sa \236enom"},
      {"s \x9akolom", "sa \x9akolom"},
      {"s MNOM", "sA MNOM"},
      {"s, tobom", "s, tobom"},
      {"s", "s"},
      {"sa s", "sa s"},
      {"s k", "s k"},
      {"a s ", "a s "},
      {"sa ", "s "},
  };
  testing::FakeSubstitutions subs;
  for (const auto& c : cases) {
    FolderPassState state;
    EXPECT_EQ(Scan(subs, state, c.in), c.out) << c.in;
    EXPECT_EQ(state.pending, Preposition::kNone) << c.in;
  }
}

TEST(WordEnd, JoinsTheTranslatedWordAndLooksUpTheJoinedText) {
  testing::FakeSubstitutions subs;
  subs.Add("zidom", "ku\xe6om");
  subs.Add("univerziteta", "sveu\xe8ili\x9ata");
  subs.Add("vise", "mnogo");
  subs.Add("nista", "");
  subs.Add("s tobom", "s tobom");
  const struct {
    const char* in;
    const char* out;
  } cases[] = {
      {"s zidom", "s ku\xe6om"},  // the translation's first letter decides, as written out
      {"S ZIDOM", "S KU\xc6OM"},
      {"sa univerziteta", "sa sveu\xe8ili\x9ata"},
      {"s vise", "sa mnogo"},  // "mn" is tested on the translation
      {"S VISE", "SA MNOGO"},
      {"sa nista", "s "},  // an empty translation takes the "otherwise" form
      {"ka nista.", "k ."},
  };
  for (const auto& c : cases) {
    FolderPassState state;
    EXPECT_EQ(Scan(subs, state, c.in), c.out) << c.in;
  }

  FolderPassState state;
  subs.lookups().clear();
  Scan(subs, state, "Sa tobom");
  ASSERT_EQ(subs.lookups().size(), 2u);
  EXPECT_EQ(subs.lookups()[0].word, "tobom");
  EXPECT_EQ(subs.lookups()[0].first_char, 't');
  // The joined text: the preposition's letter and the class of the word as read.
  EXPECT_EQ(subs.lookups()[1].word, "S tobom");
  EXPECT_EQ(subs.lookups()[1].first_char, 'S');
  EXPECT_EQ(subs.lookups()[1].length_class, 0);

  subs.lookups().clear();
  Scan(subs, state, "s a");  // a one-letter word is looked up, the joined text is not
  ASSERT_EQ(subs.lookups().size(), 1u);
  EXPECT_EQ(subs.lookups()[0].word, "a");
}

// Short words stay out of the lookup; a word goes in with the class of its length as read.
TEST(WordEnd, KeepsShortWordsOutAndPassesTheLengthClass) {
  testing::FakeSubstitutions subs;
  FolderPassState state;
  Scan(subs, state, "da Da DA dA SO a I s, k. so So sO ne kucica najnajnajnajveci");
  std::vector<std::pair<std::string, int>> looked_up;
  for (const auto& l : subs.lookups()) looked_up.emplace_back(l.word, l.length_class);
  EXPECT_EQ(
      looked_up,
      (std::vector<std::pair<std::string, int>>{
          {"so", 0}, {"So", 0}, {"sO", 0}, {"ne", 0}, {"kucica", 1}, {"najnajnajnajveci", 10}}));
}

}  // namespace
}  // namespace lorvan
