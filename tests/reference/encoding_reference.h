// Literal versions of the encoding routines, written as sequences of whole-text replacement
// passes, to check and measure the one-pass versions in encoding/ against.
#pragma once

#include <string>
#include <string_view>

namespace lorvan::reference {

// Replaces the forms of Č č Ć ć Đ đ Š š Ž ž „ slot by slot, one replace-all pass per slot.
std::string ConvertEncodingBySlots(std::string text, bool from_utf8);

// Transliterates one table row after the other, one replace-all pass per row; the forms of
// Љ Њ Џ are chosen from the neighbours of each match in the text as it stands in that pass.
std::string CyrillicToLatinByRows(std::string text);

// True when text is well-formed UTF-8, matched row by row against the table of well-formed
// byte sequences (U+0000 to U+10FFFF without surrogates, no overlong forms).
bool IsWellFormedUtf8ByTable(std::string_view text);

}  // namespace lorvan::reference
