// Literal phrase and name passes: a position-by-position search with 1-based positions, every
// entry applied in list order with a rescan of the whole line. Slow on purpose; the fast
// passes must give the same lines.
#pragma once

#include <string>
#include <vector>

#include "dictionary/dictionary.h"

namespace lorvan::reference {

// Walks every entry in order; a header whose key is absent skips its count of entries (a
// count that is not a run of digits skips nothing). A phrase is found without regard to
// letter case, a name only as written.
std::string ApplyPhrasesLiteral(std::string line, const std::vector<PhraseEntry>& entries);
// The same walk over the pieces of one line: a key counts when any piece holds it, and each
// pair is applied to every piece.
std::vector<std::string> ApplyPhrasesLiteral(std::vector<std::string> pieces,
                                             const std::vector<PhraseEntry>& entries);
std::string ApplyNamesLiteral(std::string line, const std::vector<NameEntry>& entries);

}  // namespace lorvan::reference
