// The phrase pass: the phrase list applied to a whole line, entry after entry.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "dictionary/dictionary.h"
#include "engine/aho_corasick.h"
#include "engine/replace_rules.h"

namespace lorvan {

// Replaces every occurrence of source (without its boundary spaces) in text by target
// (trimmed of spaces) written in the case of the occurrence. A leading/trailing space of
// source requires a non-letter (or the line's edge) before/after the occurrence.
// compare_mode 0 compares exactly, 1 without regard to letter case. Returns the new text;
// a source that is empty or only spaces returns text unchanged.
std::string ReplacePhrase(std::string_view text, std::string_view source, std::string_view target,
                          int compare_mode);

// The phrase list prepared for fast application to many lines. One multi-pattern scan tells
// which entries occur in the line; only those are applied, and the line is scanned again only
// after a replacement changed it. Apply reuses scratch buffers held in the object, so one
// object must not be used from two threads at once.
class PhrasePass {
 public:
  explicit PhrasePass(const std::vector<PhraseEntry>& phrases);

  // Applies every entry in list order to line (ApplyPhrases): a header whose key is absent
  // from the line skips its group. The result equals applying ReplacePhrase entry by entry.
  // A header whose count is not a run of digits skips nothing; blank sources do nothing.
  void Apply(std::string& line) const;

 private:
  void Scan(const std::string& line) const;

  std::vector<PhraseRule> rules_;  // pairs; headers hold an empty rule
  std::vector<bool> is_header_;
  std::vector<std::size_t> next_header_;  // first header at or after i that can skip entries
  std::vector<std::size_t> skip_to_;      // for such a header: where the walk goes on if absent
  AhoCorasick matcher_;                   // folded pair needles and folded keys of such headers
  mutable std::string folded_;
  mutable std::string out_;
  mutable BitSet seen_patterns_;
  mutable BitSet present_;  // entries whose needle or key occurs in the line
};

}  // namespace lorvan
