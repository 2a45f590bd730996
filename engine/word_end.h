// The end of a word: which words are looked up, and the Croatian forms of the prepositions
// s/sa and k/ka chosen from the word that follows them ("sa" and "ka" only before words that
// begin with s š z ž or "mn", respectively k or g; "s" and "k" before every other word).
#pragma once

#include <string>

#include "engine/substitutions.h"
#include "engine/folder_pass_state.h"

namespace lorvan {

// Handles the word that the character ch has just ended. Leaves in word the text to write
// before ch: translated, kept, or joined with the preposition held before it. Returns true
// when word is itself a preposition now held back (ch is the space after it): the caller then
// writes neither the word nor ch.
bool HandleWordEnd(const Substitutions& substitutions, FolderPassState& state, std::string& word,
                   unsigned char ch);

}  // namespace lorvan
