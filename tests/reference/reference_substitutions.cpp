#include "reference/reference_substitutions.h"

#include "reference/phrase_name_reference.h"

namespace lorvan::reference {

ReferenceSubstitutions::ReferenceSubstitutions(std::string_view word_file,
                                               std::vector<PhraseEntry> phrases,
                                               std::vector<NameEntry> names)
    : phrases_(std::move(phrases)), names_(std::move(names)) {
  LoadWordFileLiteral(word_file, &words_);
}

void ReferenceSubstitutions::TranslateWord(unsigned char first_char, int length_class,
                                           int word_length, std::string& word) const {
  TranslateWordLiteral(words_, first_char, length_class, word_length, word);
}

void ReferenceSubstitutions::ApplyPhrases(std::string& line) const {
  line = ApplyPhrasesLiteral(std::move(line), phrases_);
}

void ReferenceSubstitutions::ApplyPhrasesToPieces(std::vector<std::string>& pieces) const {
  pieces = ApplyPhrasesLiteral(std::move(pieces), phrases_);
}

void ReferenceSubstitutions::ApplyNames(std::string& line) const {
  line = ApplyNamesLiteral(std::move(line), names_);
}

}  // namespace lorvan::reference
