#include "engine/substitutions.h"

#include "engine/word_lookup.h"

namespace lorvan {

DictionarySubstitutions::DictionarySubstitutions(const Dictionary& dictionary)
    : words_(dictionary.words),
      phrases_(dictionary.phrases),
      names_(dictionary.names),
      modal_(dictionary.modal) {}

void DictionarySubstitutions::TranslateWord(unsigned char first_char, int length_class,
                                            std::string& word) const {
  lorvan::TranslateWord(words_, first_char, length_class, word);
}

}  // namespace lorvan
