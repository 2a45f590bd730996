// Transliteration of Serbian Cyrillic, written in UTF-8, to Latin letters in UTF-8.
#pragma once

#include <string>

namespace lorvan {

// Rewrites text in place and returns it: every Serbian Cyrillic letter in its UTF-8 form
// becomes its Latin letter(s), the Latin letters with diacritics in UTF-8 (Ж → Ž is C5 BD).
// Everything else (other Cyrillic letters, stray bytes) is left as it is.
//
// Љ, Њ and Џ become LJ, NJ, DŽ when the next character is a capital letter, or when the
// previous character is a capital letter and the next one is not a small letter; elsewhere
// they become Lj, Nj, Dž (so ЉУБАВ gives LJUBAV, Љубав gives Ljubav, a lone Љ gives Lj).
// Characters are read from the UTF-8 bytes: a Cyrillic letter is a D0/D1 byte followed by a
// byte 80-BF, capital for U+0400-U+042F and small for U+0430-U+045F; A-Z and the UTF-8 forms
// of Č Ć Đ Š Ž are capital letters, a-z and those of č ć đ š ž small letters; every other
// byte is a character that is no letter.
//
// Each Cyrillic pair becomes one or two bytes, except Џ and џ, whose Dž / dž take three: the
// text grows by one byte per DZHE.
std::string& CyrillicToLatin(std::string& text);

}  // namespace lorvan
