// The substitutions the line scan applies: the word lookup for every finished word, and the
// phrase and name passes and the modal rule over the assembled line.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "dictionary/dictionary.h"
#include "engine/modal_infinitive.h"
#include "engine/names.h"
#include "engine/phrases.h"

namespace lorvan {

class Substitutions {
 public:
  virtual ~Substitutions() = default;

  // Replaces word by its translation in its own capitalisation (unchanged when unknown).
  // first_char selects the letter bucket, length_class the length band.
  virtual void TranslateWord(unsigned char first_char, int length_class,
                             std::string& word) const = 0;
  // What TranslateWord would make of word, valid until the next call; a view whose data() is
  // null means word stays as it is (a found translation may also equal word). A found view
  // can be read WordTable::kPadding bytes far, whatever its length, so that the scan can copy
  // it in one piece. This default goes through TranslateWord with a copy of word. REQUIRES:
  // WordTable::kPadding bytes from word.data() are readable (the text the word stands in goes
  // on, or is padded). Like the passes, it keeps scratch between calls, hence not const.
  virtual std::string_view TranslatedWord(unsigned char first_char, int length_class,
                                          std::string_view word);
  virtual void ApplyPhrases(std::string& line) = 0;
  // The phrase pass over a line cut into pieces, as if no occurrence could span a cut: a group
  // header's key counts as present when any piece holds it.
  virtual void ApplyPhrasesToPieces(std::vector<std::string>& pieces) = 0;
  virtual void ApplyNames(std::string& line) = 0;
  // The modal rule over the line as the passes left it (engine/modal_infinitive.h); nothing
  // unless the substitutions carry its table.
  virtual void ApplyModalInfinitives(std::string& /*line*/) {}

 protected:
  // Scratch of TranslatedWord: its view with WordTable::kPadding bytes after it.
  std::string translated_;
  // Makes the first `size` bytes of translated_ its found view.
  std::string_view PaddedScratch(std::size_t size);
};

// The substitutions of a loaded dictionary. REQUIRES: dictionary outlives this object and
// does not change while it exists. Not for use from two threads at once.
class DictionarySubstitutions final : public Substitutions {
 public:
  explicit DictionarySubstitutions(const Dictionary& dictionary);

  void TranslateWord(unsigned char first_char, int length_class, std::string& word) const override;
  // Looks word up where it stands, without copying it; a target that keeps its letter case
  // is not copied either.
  std::string_view TranslatedWord(unsigned char first_char, int length_class,
                                  std::string_view word) override;
  void ApplyPhrases(std::string& line) override { phrases_.Apply(line); }
  void ApplyPhrasesToPieces(std::vector<std::string>& pieces) override { phrases_.Apply(pieces); }
  void ApplyNames(std::string& line) override { names_.Apply(line); }
  void ApplyModalInfinitives(std::string& line) override { modal_.Apply(line); }

 private:
  const WordTable& words_;
  PhrasePass phrases_;
  NamePass names_;
  ModalInfinitives modal_;
};

}  // namespace lorvan
