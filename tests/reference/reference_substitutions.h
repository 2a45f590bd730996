// The substitutions done the old way: the comma-joined word index and the per-entry phrase
// and name passes that rescan the line for every entry.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "dictionary/dictionary.h"
#include "engine/substitutions.h"
#include "reference/word_index_reference.h"

namespace lorvan::reference {

class ReferenceSubstitutions final : public Substitutions {
 public:
  // word_file: the bytes of a word file; the lists are used as given.
  ReferenceSubstitutions(std::string_view word_file, std::vector<PhraseEntry> phrases,
                         std::vector<NameEntry> names);

  void TranslateWord(unsigned char first_char, int length_class, int word_length,
                     std::string& word) const override;
  void ApplyPhrases(std::string& line) const override;
  void ApplyPhrasesToPieces(std::vector<std::string>& pieces) const override;
  void ApplyNames(std::string& line) const override;

 private:
  ReferenceWordTable words_;
  std::vector<PhraseEntry> phrases_;
  std::vector<NameEntry> names_;
};

}  // namespace lorvan::reference
