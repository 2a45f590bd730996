// Translating one word from the word table, its letter case carried over to the target.
#pragma once

#include <string>
#include <string_view>

#include "dictionary/word_table.h"

namespace lorvan {

// Looks word up in the bucket that first_char selects and in length_class, and replaces it
// in place by its target written in the word's capitalisation; a word that is not found is
// left unchanged. Returns word. The numbers are used as passed, not recomputed from word.
std::string& TranslateWord(const WordTable& words, unsigned char first_char, int length_class,
                           std::string& word);

// target in the capitalisation of source, a word whose first letter is a capital: entirely in
// capitals when source is, else with only its first character raised.
std::string CapitalizeLike(std::string_view source, std::string_view target);

}  // namespace lorvan
