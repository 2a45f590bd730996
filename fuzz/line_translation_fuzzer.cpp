// Lines through the line scan with the fast tables and passes and with the literal ones, over
// a small dictionary made from the input. The input is the option byte (bit 0: leave tags
// alone, bit 1: Cyrillic input), then the word file, the phrase file, the name file and the
// lines to translate, separated by NUL bytes. Any difference is a crash.
#include <cstdint>
#include <string>

#include "dictionary/dictionary_loader.h"
#include "engine/line_translator.h"
#include "fuzz/fuzz_support.h"
#include "reference/reference_substitutions.h"

namespace lorvan::fuzz {
namespace {

constexpr int kMaxLines = 16;

Dictionary LoadSections(std::string_view words, std::string_view phrases, std::string_view names) {
  Dictionary dictionary;
  DictionaryLoader loader(&dictionary);
  ForEachLine(words, [&loader](std::string_view line) { loader.AddWordPair(line); });
  ForEachLine(phrases, [&loader](std::string_view line) { loader.AddPhraseLine(line); });
  loader.FinishPhrases();
  ForEachLine(names, [&loader](std::string_view line) { loader.AddNamePair(line); });
  return dictionary;
}

void Translate(std::uint8_t option_bits, std::string_view rest) {
  std::vector<std::string_view> sections = SplitSections(rest, 4);
  Dictionary dictionary = LoadSections(sections[0], sections[1], sections[2]);
  DictionarySubstitutions fast(dictionary);
  reference::ReferenceSubstitutions literal(sections[0], dictionary.phrases, dictionary.names);

  LineOptions options{.skip_tags = (option_bits & 1) != 0,
                      .cyrillic = (option_bits & 2) != 0,
                      .skip_links = (option_bits & 4) != 0};
  LineTranslator fast_lines(fast, options);
  LineTranslator literal_lines(literal, options);
  FolderPassState fast_state, literal_state;
  int lines = 0;
  ForEachLine(sections[3], [&](std::string_view line) {
    if (++lines > kMaxLines) return;
    std::string expected = literal_lines.Translate(line, literal_state);
    ExpectSame("translated line", fast_lines.Translate(line, fast_state), expected);
    Expect(fast_lines.char_pos() == literal_lines.char_pos(), "char_pos agrees");
    Expect(fast_state.in_tag == literal_state.in_tag, "in_tag agrees");
    Expect(fast_state.pending == literal_state.pending, "pending preposition agrees");
    ExpectSame("pending preposition text", fast_state.preposition_text,
               literal_state.preposition_text);
  });
}

}  // namespace
}  // namespace lorvan::fuzz

LORVAN_FUZZ_WITH_OPTION_BYTE(lorvan::fuzz::Translate)
