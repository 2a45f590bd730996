// Whole lines through the line scan with the fast tables and passes, and with the literal
// ones: random dictionaries, lines with prepositions, tags, case shapes and Croatian letters.
#include <gtest/gtest.h>

#include "common/text_file.h"
#include "dictionary/dictionary_loader.h"
#include "encoding/letters.h"
#include "reference/generators.h"
#include "reference/phrase_generators.h"
#include "reference/reference_substitutions.h"
#include "engine/line_translator.h"

namespace lorvan {
namespace {

// Words of the lines, to make dictionary sources that the lines really contain.
std::vector<std::string> WordsOf(const std::vector<std::string>& lines) {
  std::vector<std::string> words;
  for (const std::string& line : lines) {
    std::string word;
    for (char c : line + ' ') {
      if (IsWordLetter(static_cast<unsigned char>(c))) {
        word += c;
      } else if (!word.empty()) {
        words.push_back(word);
        word.clear();
      }
    }
  }
  return words;
}

// A word file whose sources are mostly words of the lines (in any case, also the joined
// "s word" forms), with targets that hold phrase pieces.
std::string WordFile(testing::PhraseListGenerator& gen, const std::vector<std::string>& words) {
  std::string file;
  int pairs = gen.text().Uniform(5, 60);
  for (int i = 0; i < pairs && !words.empty(); ++i) {
    std::string source = gen.text().RandomCase(
        words[static_cast<std::size_t>(gen.text().Uniform(0, static_cast<int>(words.size()) - 1))]);
    if (gen.text().Chance(0.1)) source.insert(0, gen.text().Chance(0.5) ? "s " : "ka ");
    std::string target = gen.text().Chance(0.1) ? "" : gen.Fragment(1, 3);
    file += source + "\t" + target + (gen.text().Chance(0.9) ? "\r\n" : "\r");
  }
  return file;
}

TEST(TranslationDifferential, FastLineTranslationEqualsTheLiteralOne) {
  int lines_compared = 0, lines_changed = 0;
  for (std::uint32_t seed = 1; seed <= 400; ++seed) {
    testing::PhraseListGenerator gen(seed);
    std::vector<PhraseEntry> phrases = gen.Phrases(gen.text().Uniform(0, 30));
    std::vector<NameEntry> names = gen.Names(gen.text().Uniform(0, 10));
    std::vector<std::string> sources = testing::SourcesOf(phrases);
    for (const auto& s : testing::SourcesOf(names)) sources.push_back(s);

    std::vector<std::string> lines;
    for (int i = 0; i < 25; ++i) {
      lines.push_back(gen.text().Chance(0.5) ? gen.text().Line(gen.text().Uniform(0, 12))
                                             : gen.Line(sources));
      if (gen.text().Chance(0.3)) {  // a link among the words, cutting the line in pieces
        std::string& line = lines.back();
        std::size_t at = line.find(
            ' ', static_cast<std::size_t>(gen.text().Uniform(0, static_cast<int>(line.size()))));
        line.insert(at == std::string::npos ? line.size() : at, " www.primjer.hr/a ");
      }
    }
    std::string word_file = WordFile(gen, WordsOf(lines));

    Dictionary dictionary;
    dictionary.phrases = phrases;
    dictionary.names = names;
    {
      DictionaryLoader loader(&dictionary);
      LineReader reader(word_file);
      std::string_view line;
      while (reader.Next(&line)) loader.AddWordPair(line);
    }
    DictionarySubstitutions fast(dictionary);
    reference::ReferenceSubstitutions literal(word_file, phrases, names);

    LineOptions options{.skip_tags = gen.text().Chance(0.5),
                        .cyrillic = gen.text().Chance(0.2),
                        .skip_links = gen.text().Chance(0.5)};
    LineTranslator fast_lines(fast, options);
    LineTranslator literal_lines(literal, options);
    FolderPassState fast_state, literal_state;
    for (const std::string& line : lines) {
      std::string expected = literal_lines.Translate(line, literal_state);
      ASSERT_EQ(fast_lines.Translate(line, fast_state), expected)
          << "seed " << seed << " line \"" << line << "\"";
      ASSERT_EQ(fast_lines.char_pos(), literal_lines.char_pos());
      ASSERT_EQ(fast_state.in_tag, literal_state.in_tag);
      ++lines_compared;
      if (expected != line) ++lines_changed;
    }
  }
  EXPECT_EQ(lines_compared, 400 * 25);
  EXPECT_GT(lines_changed, lines_compared / 4);  // the dictionaries really apply
}

}  // namespace
}  // namespace lorvan
