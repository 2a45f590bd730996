// The name pass: the name list applied to a whole line, entry after entry.
#pragma once

#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "dictionary/dictionary.h"
#include "engine/aho_corasick.h"
#include "engine/barriers.h"
#include "engine/prefix_filter.h"
#include "engine/replace_rules.h"

namespace lorvan {

// The name list prepared for fast application to many lines. One multi-pattern scan tells
// which names occur in the line; only those are applied, and the line is scanned again only
// after a replacement changed it. A long line is cut at barrier bytes and each piece passed
// on its own: without groups, no entry depends on another piece. Apply reuses scratch buffers held
// in the object, so one object must not be used from two threads at once.
class NamePass {
 public:
  static constexpr std::size_t kPrefixBytes = 4;

  explicit NamePass(const std::vector<NameEntry>& names);

  // Applies every entry in list order to line (ApplyNames), each to the line as the entries
  // before it left it: every occurrence of the source, compared exactly, that is written in
  // mixed case becomes the target as stored; occurrences entirely in small letters or in
  // capitals stay. An empty source does nothing.
  void Apply(std::string& line);

 private:
  void ApplyToLine(std::string& line);
  // False when no name that can change a line begins anywhere in line.
  bool MayApply(std::string_view line) const;
  void Scan(const std::string& line);

  std::vector<NameRule> rules_;
  AhoCorasick matcher_;    // sources in mixed case: the only ones that can change a line
  BarrierBytes barriers_;  // in no such source and no target
  std::vector<std::size_t> unmatched_;  // sources too long for the matcher: always present
  // The first bytes of those sources, tried only where a byte that begins one stands.
  PrefixFilter source_starts_{kPrefixBytes, /*fold=*/false};
  std::array<bool, 256> begins_source_{};
  bool sources_begin_with_capitals_ = true;  // every byte in begins_source_ is a capital
  // Scratch of Apply.
  std::string out_;
  BitSet seen_patterns_;
  BitSet present_;  // entries whose source occurs in the line
};

}  // namespace lorvan
