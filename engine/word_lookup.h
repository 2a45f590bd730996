// Translating one word from the word table, its letter case carried over to the target.
#pragma once

#include <string>
#include <string_view>

#include "dictionary/word_table.h"

namespace lorvan {

// Looks word up in the bucket that first_char selects and in length_class, and replaces it
// in place by its target. A word that starts with a capital gets the target entirely in
// capitals when it has no small letter, else with only the first character raised. A word
// that is not found is left unchanged. Returns word. The numbers are used as passed, not
// recomputed from word.
std::string& TranslateWord(const WordTable& words, unsigned char first_char, int length_class,
                           std::string& word);

// The same lookup with word read where it stands: its translation, or a view whose data() is
// null when word is not found. The view points into the table when the target needs no change
// of case, else into *scratch; it stays valid until the next use of scratch or the next change
// of words.
std::string_view FindTranslation(const WordTable& words, unsigned char first_char, int length_class,
                                 std::string_view word, std::string* scratch);
// FindTranslation through WordTable::FindPadded. REQUIRES: WordTable::kPadding bytes from
// word.data() are readable.
std::string_view FindPaddedTranslation(const WordTable& words, unsigned char first_char,
                                       int length_class, std::string_view word,
                                       std::string* scratch);

}  // namespace lorvan
