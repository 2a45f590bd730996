// The name pass: the name list applied to a whole line, entry after entry.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "dictionary/dictionary.h"

namespace lorvan {

// Replaces every occurrence of source in text that is written in mixed case by target as
// stored; occurrences entirely in small letters or in capitals stay. compare_mode 0 compares
// exactly, 1 without regard to letter case. Returns the new text.
std::string ReplaceName(std::string_view text, std::string_view source, std::string_view target,
                        int compare_mode);

// The name list prepared for fast application to many lines.
class NamePass {
 public:
  explicit NamePass(const std::vector<NameEntry>& names);

  // Applies every entry in list order to line (ApplyNames), comparing exactly. The result
  // equals applying ReplaceName entry by entry.
  void Apply(std::string& line) const;
};

}  // namespace lorvan
