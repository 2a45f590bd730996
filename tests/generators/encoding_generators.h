// Random inputs for the encoding routines: byte soup dense in the sequences the tables know,
// Serbian Cyrillic text in every case shape, and files with mixed line ends and paragraph tags.
#pragma once

#include <string>

#include "generators/generators.h"

namespace lorvan::testing {

// Bytes made of pieces: any byte, the single and UTF-8 forms of Č č Ć ć Đ đ Š š Ž ž „, parts
// of those forms, and D0/D1 pairs; about length pieces.
std::string EncodingSoup(TextGenerator& gen, int length);

// Serbian Cyrillic words in UTF-8 (small, Capitalised, CAPITALS, mixed, single letters) with
// spaces, punctuation, Latin letters and stray bytes between them.
std::string CyrillicLine(TextGenerator& gen, int words);

// text with every Cyrillic small letter U+0430-U+045F turned into its capital.
std::string CyrillicCapitals(std::string text);

// File contents with CR, LF and CR LF line ends and closing paragraph tags in any case.
std::string ParagraphFile(TextGenerator& gen, int pieces);

}  // namespace lorvan::testing
