// Transliteration of Serbian Cyrillic, written in UTF-8, to Latin letters in UTF-8.
#pragma once

#include <string>

namespace lorvan {

// Rewrites text in place and returns it: every Serbian Cyrillic letter in its UTF-8 form
// becomes its Latin letter(s), the Latin letters with diacritics in UTF-8. Љ, Њ and Џ give
// LJ, NJ, DŽ inside text written in capitals, and Lj, Nj, Dž elsewhere. Everything else
// (other Cyrillic letters, stray bytes) is left as it is. The text never grows.
std::string& CyrillicToLatin(std::string& text);

}  // namespace lorvan
