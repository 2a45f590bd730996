// The phrase pass: the phrase list applied to a whole line, entry after entry.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "dictionary/dictionary.h"

namespace lorvan {

// Replaces every occurrence of source (without its boundary spaces) in text by target
// (trimmed of spaces) written in the case of the occurrence. A leading/trailing space of
// source requires a non-letter (or the line's edge) before/after the occurrence.
// compare_mode 0 compares exactly, 1 without regard to letter case. Returns the new text.
std::string ReplacePhrase(std::string_view text, std::string_view source, std::string_view target,
                          int compare_mode);

// The phrase list prepared for fast application to many lines.
class PhrasePass {
 public:
  explicit PhrasePass(const std::vector<PhraseEntry>& phrases);

  // Applies every entry in list order to line (ApplyPhrases): a header whose key is absent
  // from the line skips its group. The result equals applying ReplacePhrase entry by entry.
  void Apply(std::string& line) const;
};

}  // namespace lorvan
