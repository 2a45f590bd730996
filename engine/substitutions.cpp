#include "engine/substitutions.h"

#include "engine/word_lookup.h"

namespace lorvan {

const std::string* Substitutions::TranslatedWord(unsigned char first_char, int length_class,
                                                 std::string_view word) {
  translated_.assign(word);
  TranslateWord(first_char, length_class, translated_);
  return translated_ == word ? nullptr : &translated_;
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

const std::string* DictionarySubstitutions::TranslatedWord(unsigned char first_char,
                                                           int length_class,
                                                           std::string_view word) {
  return TranslateWordInto(words_, first_char, length_class, word, &translated_) ? &translated_
                                                                                 : nullptr;
}

}  // namespace lorvan
