#include "engine/substitutions.h"

#include "engine/word_lookup.h"

namespace lorvan {

std::string_view Substitutions::TranslatedWord(unsigned char first_char, int length_class,
                                               std::string_view word) {
  translated_.assign(word);
  TranslateWord(first_char, length_class, translated_);
  if (translated_ == word) return {};
  return PaddedScratch(translated_.size());
}

std::string_view Substitutions::PaddedScratch(std::size_t size) {
  translated_.resize(size + WordTable::kPadding);
  return std::string_view(translated_.data(), size);
}

DictionarySubstitutions::DictionarySubstitutions(const Dictionary& dictionary)
    : words_(dictionary.words),
      phrases_(dictionary.phrases),
      names_(dictionary.names),
      modal_(dictionary.modal) {}

void DictionarySubstitutions::TranslateWord(unsigned char first_char, int length_class,
                                            std::string& word) const {
  lorvan::TranslateWord(words_, first_char, length_class, word);
}

std::string_view DictionarySubstitutions::TranslatedWord(unsigned char first_char, int length_class,
                                                         std::string_view word) {
  const std::string_view found =
      FindPaddedTranslation(words_, first_char, length_class, word, &translated_);
  // A target in the table is padded; one whose case changed is in translated_.
  if (found.data() != translated_.data()) return found;
  return PaddedScratch(found.size());
}

}  // namespace lorvan
