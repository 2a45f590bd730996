// The substitutions done the old way: the comma-joined word index and the per-entry phrase
// and name passes that rescan the line for every entry.
#pragma once

#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "dictionary/dictionary.h"
#include "engine/substitutions.h"
#include "reference/phrase_name_reference.h"
#include "reference/word_index_reference.h"

namespace lorvan::reference {

class ReferenceSubstitutions final : public Substitutions {
 public:
  // word_file: the bytes of a word file; the lists are used as given.
  ReferenceSubstitutions(std::string_view word_file, std::vector<PhraseEntry> phrases,
                         std::vector<NameEntry> names)
      : phrases_(std::move(phrases)), names_(std::move(names)) {
    LoadWordFileLiteral(word_file, &words_);
  }

  void TranslateWord(unsigned char first_char, int length_class, std::string& word) const override {
    TranslateWordLiteral(words_, first_char, length_class, word);
  }
  void ApplyPhrases(std::string& line) override {
    line = ApplyPhrasesLiteral(std::move(line), phrases_);
  }
  void ApplyNames(std::string& line) override { line = ApplyNamesLiteral(std::move(line), names_); }
  void ApplyPhrasesToPieces(std::vector<std::string>& pieces) override {
    pieces = ApplyPhrasesLiteral(std::move(pieces), phrases_);
  }

 private:
  ReferenceWordTable words_;
  std::vector<PhraseEntry> phrases_;
  std::vector<NameEntry> names_;
};

}  // namespace lorvan::reference
