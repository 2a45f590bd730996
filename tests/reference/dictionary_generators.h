// Random word-dictionary sources and word files for differential tests and benchmarks.
#pragma once

#include <string>

#include "reference/generators.h"

namespace lorvan::testing {

// A source word of word letters in any case shape, 1 to 18 letters, that now and then starts
// with a letter of the shared bucket (Q W X Y or a Croatian letter).
std::string SourceWord(TextGenerator& gen);

// A target of one to three small-letter words, now and then empty or capitalised.
std::string TargetText(TextGenerator& gen);

// The bytes of a word file of `lines` CR LF lines: mostly pairs, some blank and note lines.
std::string WordFileText(TextGenerator& gen, int lines);

}  // namespace lorvan::testing
