// The phrase pass: the phrase list applied to a whole line, entry after entry.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "dictionary/dictionary.h"
#include "engine/aho_corasick.h"
#include "engine/anchored_trie.h"
#include "engine/barriers.h"
#include "engine/replace_rules.h"

namespace lorvan {

// The phrase list prepared for fast application to many lines. One multi-pattern scan tells
// which entries occur in the line; only those are applied. After a replacement changed the
// line, only the changed stretch (with enough context for the longest pattern) is scanned
// again, which adds the entries it now holds. A long line is cut at barrier bytes and the
// list walked once over all its pieces (see engine/barriers.h). When every pair can only
// apply at the start of a word, the pairs are found by walks of a trie from the starts of
// words instead, and a header's key is looked for when the walk of the list reaches it; a line
// where no pair's needle begins a word is left as it is. Apply reuses scratch buffers held in
// the object, so one object must not be used from two threads at once.
class PhrasePass {
 public:
  explicit PhrasePass(const std::vector<PhraseEntry>& phrases);

  // Applies every entry in list order to line (ApplyPhrases), each to the line as the entries
  // before it left it. A pair replaces every occurrence of its source (without its boundary
  // spaces, found without regard to letter case) by its target (trimmed of spaces) written in
  // the case of the occurrence; a leading/trailing space of the source requires a non-letter
  // (or the line's edge) before/after the occurrence. A header whose key is absent from the
  // line skips its group; one whose count is not a run of digits skips nothing. Blank sources
  // do nothing.
  void Apply(std::string& line);
  // Applies the list to the pieces of one line, as to a line whose cuts no occurrence spans:
  // a header's key counts as present when any piece holds it.
  void Apply(std::vector<std::string>& pieces);

 private:
  // A move of the walk from position i over headers whose keys are absent: header is the
  // last header passed (the entry count when there is none), to is where the walk goes on.
  struct Jump {
    std::size_t header;
    std::size_t to;
  };
  static constexpr int kFarSteps = 16;
  // How many bytes MarkWordStarts sifts for word starts before it walks the trie from them.
  static constexpr std::size_t kStartBatch = 256;
  // The pieces of a long line and the entries each may hold.
  struct Pieces;

  // Lets entry i be found by pattern: through the matcher, or, when too long, always.
  void Index(std::string_view pattern, std::size_t i);
  // Files the needle of pair i in the trie of needles at word starts.
  void FileWordStart(const PhraseRule& rule, std::size_t i);
  // False when no pair can apply to text: the text is then the pass's result. Headers alone
  // change nothing, so only the pairs' needles are looked for. Leaves in present_ the pairs
  // whose needle begins a word of text when word_starts_only_.
  bool MayApply(std::string_view text);
  // Sets in present_ the pairs whose needle begins a word of text at a position in
  // [from, to), lowering first_start_ and raising last_start_ of each to that position; true
  // when it set any. A
  // position is a word start when a letter stands there and a non-letter, or the text's edge,
  // before it.
  bool MarkWordStarts(std::string_view text, std::size_t from, std::size_t to);
  void BuildJumps(const std::vector<std::size_t>& skip_to);
  // Walks the list in order. Entries between two events are pairs whose needle is absent,
  // which change nothing; the events are the next entry set in marks (a pair to apply, or a
  // header whose key may be there) and the headers that could skip: such a header met before
  // the next marked entry has its key absent. Headers are passed kFarSteps at a time while
  // they all come before that entry. key_present(h) tells whether marked header h's key is
  // there; apply_pair(i) applies marked pair i and may set more bits in marks.
  template <typename KeyPresent, typename ApplyMarkedPair>
  void Walk(const BitSet& marks, KeyPresent key_present, ApplyMarkedPair apply_pair) const {
    const std::size_t count = rules_.size();
    std::size_t hit = marks.NextSet(0);
    for (std::size_t i = 0; i < count;) {
      if (far_[i].header < hit) {
        i = far_[i].to;
      } else if (step_[i].header < hit) {
        i = step_[i].to;
      } else if (hit >= count) {
        break;
      } else if (is_header_[hit]) {
        i = key_present(hit) ? hit + 1 : step_[hit].to;
      } else {
        apply_pair(hit);
        i = hit + 1;
      }
      if (hit < i) hit = marks.NextSet(i);
    }
  }
  // The walk over the marked pairs only: a header that can skip, met before the next marked
  // pair, has its key looked for (key_present(h)) then and there. When every group lies
  // within the groups around it, a header matters only when its group holds that pair: a
  // group that ends before it is passed over, to the same place, whether its key is there or
  // not.
  template <typename KeyPresent, typename ApplyMarkedPair>
  void WalkPairs(const BitSet& pairs, KeyPresent key_present, ApplyMarkedPair apply_pair) const {
    const std::size_t count = rules_.size();
    for (std::size_t i = 0, hit = pairs.NextSet(0); hit < count;) {
      const std::size_t header = step_[i].header;
      if (header < hit) {
        const std::size_t after = step_[header].to;
        i = (after > hit || !nested_groups_) && key_present(header) ? header + 1 : after;
      } else {
        apply_pair(hit);
        i = hit + 1;
      }
      if (hit < i) hit = pairs.NextSet(i);
    }
  }
  void ApplyToLine(std::string& line);
  // The pass over a line whose pairs present_ marks by word starts (word_starts_only_).
  void ApplyAtWordStarts(std::string& line);
  // Applies pair i; true when it changed line.
  bool ApplyPair(std::size_t i, std::string& line);
  // Brings folded_ (before, folded) up to line, folding only what changed, and marks the
  // entries that occur in the stretch of line that differs from before.
  void ScanChange(std::string_view before, const std::string& line);

  // The walk of Apply over the pieces of a long line: a header's key counts as present when
  // any piece holds it, a pair is applied to every piece that holds its needle.
  void ApplyToPieces(std::vector<std::string>& text);
  // Records piece k as a holder of the entries from `first` on that occur in folded.
  void MarkPiece(std::string_view folded, std::size_t k, std::size_t first, Pieces& pieces);
  bool KeyInPieces(std::size_t header, Pieces& pieces);
  void ApplyPairToPieces(std::size_t i, Pieces& pieces);

  std::vector<PhraseRule> rules_;  // pairs; a header that can skip holds its folded key
  std::vector<bool> is_header_;
  std::vector<Jump> step_;     // over the next header that can skip entries
  std::vector<Jump> far_;      // over the next kFarSteps such headers, in one move
  bool nested_groups_ = true;  // no group reaches past the end of a group it begins in
  AhoCorasick matcher_;        // folded pair needles and folded keys of such headers
  // When every pair wants a non-letter before its needle and the needle begins with a letter,
  // a pair can only apply at the start of a word of the line: the pairs' needles (their first
  // kLongestMatchedPattern bytes) are then looked for there only.
  AnchoredTrie word_starts_{/*fold=*/true};
  bool word_starts_only_ = true;
  BarrierBytes barriers_;                       // in no needle, key or replacement
  // Entries whose needle or key is too long for the matcher: always taken as present.
  std::vector<std::size_t> unmatched_;
  std::vector<bool> is_unmatched_;
  // Scratch of Apply.
  std::string folded_;
  std::string out_;
  std::vector<PhraseReplacement> found_;  // scratch of ReplacePhraseInPlace
  BitSet seen_patterns_;
  // Entries whose needle or key occurs in the line; after a change, a superset of them.
  BitSet present_;
  // For a pair set in present_ by MarkWordStarts: the first and the last word start it was
  // found at.
  std::vector<std::size_t> first_start_;
  std::vector<std::size_t> last_start_;
  // The walk over pieces: for each entry, the pieces that may hold it (see Pieces).
  std::vector<std::vector<std::uint32_t>> holders_;
  BitSet with_holders_;
};

}  // namespace lorvan
