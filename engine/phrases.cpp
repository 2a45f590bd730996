#include "engine/phrases.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstring>

#include "common/find_needle.h"
#include "encoding/letters.h"

namespace lorvan {
namespace {

// The number of entries a header skips: its target as decimal digits, saturated at limit;
// 0 when the target is not a non-empty run of ASCII digits.
std::size_t SkipCount(std::string_view target, std::size_t limit) {
  if (target.empty()) return 0;
  std::size_t n = 0;
  for (char c : target) {
    if (c < '0' || c > '9') return 0;
    n = std::min(limit, n * 10 + static_cast<std::size_t>(c - '0'));
  }
  return n;
}

// The positions of the set bits of each byte value, lowest first, packed one to a byte (the
// rest zero), and their number.
struct BitPositions {
  std::uint64_t packed = 0;
  std::uint8_t count = 0;
};
constexpr std::array<BitPositions, 256> MakeBitPositions() {
  std::array<BitPositions, 256> rows{};
  for (unsigned value = 0; value < 256; ++value)
    for (unsigned bit = 0; bit < 8; ++bit)
      if ((value >> bit) & 1) rows[value].packed |= std::uint64_t{bit} << (8 * rows[value].count++);
  return rows;
}
constexpr std::array<BitPositions, 256> kBitPositions = MakeBitPositions();

bool IsHeader(const PhraseEntry& entry) {
  return !entry.source.empty() && entry.source.front() == '#';
}

}  // namespace

PhrasePass::PhrasePass(const std::vector<PhraseEntry>& phrases)
    : rules_(phrases.size()), is_header_(phrases.size()), is_unmatched_(phrases.size()) {
  const std::size_t count = phrases.size();
  std::vector<std::size_t> skip_to(count, 0);  // 0 for entries that never skip
  for (std::size_t i = 0; i < count; ++i) {
    is_header_[i] = IsHeader(phrases[i]);
    if (!is_header_[i]) {
      rules_[i] = MakePhraseRule(phrases[i].source, phrases[i].target);
      if (rules_[i].needle.empty()) continue;
      Index(rules_[i].needle, i);
      FileWordStart(rules_[i], i);
      barriers_.Exclude(rules_[i].replacement);
      continue;
    }
    std::string key = ToLowerCopy(std::string_view(phrases[i].source).substr(1));
    std::size_t skip = SkipCount(phrases[i].target, count);
    if (key.empty() || skip == 0) continue;  // always found, or skips nothing
    Index(key, i);
    rules_[i].needle = key;
    skip_to[i] = std::min(count, i + 1 + skip);
  }
  BuildJumps(skip_to);
  matcher_.Build();
  word_starts_.Build();
  seen_patterns_.Resize(matcher_.pattern_count());
  present_.Resize(count);
  first_start_.resize(count);
  last_start_.resize(count);
  holders_.resize(count);
  with_holders_.Resize(count);
}

void PhrasePass::Index(std::string_view pattern, std::size_t i) {
  barriers_.Exclude(pattern);
  if (pattern.size() <= kLongestMatchedPattern) {
    matcher_.Add(pattern, i);
    return;
  }
  unmatched_.push_back(i);
  is_unmatched_[i] = true;
}

void PhrasePass::FileWordStart(const PhraseRule& rule, std::size_t i) {
  word_starts_.Add(std::string_view(rule.needle).substr(0, kLongestMatchedPattern), i);
  if (!rule.left_boundary || !IsWordLetter(static_cast<unsigned char>(rule.needle[0])))
    word_starts_only_ = false;
}

// A pair that wants a non-letter before its needle, which begins with a letter, is found only
// where a letter follows a non-letter or the text's edge. Cut into pieces at barriers (which
// are non-letters), a piece's first byte is such a place in the line too.
bool PhrasePass::MayApply(std::string_view text) {
  if (!word_starts_only_) return true;
  present_.Clear();
  return MarkWordStarts(text, 0, text.size());
}

// The places are gathered a stretch at a time without a branch on each byte (whether a byte
// starts a word is as hard to foretell as the text): sixteen bytes are classified at once and
// the word starts among them appended through a table of bit positions. Those whose first byte
// may begin a needle, then those that pass the trie's filter, are kept, and the trie is walked
// from each.
bool PhrasePass::MarkWordStarts(std::string_view text, std::size_t from, std::size_t to) {
  const auto* const bytes = reinterpret_cast<const unsigned char*>(text.data());
  const char* const end = text.data() + text.size();
  unsigned before = from > 0 && IsWordLetter(bytes[from - 1]);  // a letter before
  bool any = false;
  // Offsets in the batch; a table row may write 8 bytes from the last one.
  std::array<std::uint8_t, kStartBatch + 8> starts;
  static_assert(kStartBatch <= 256, "an offset in a batch fits a byte");
  for (std::size_t batch = from; batch < to; batch += kStartBatch) {
    const std::size_t stop = std::min(to, batch + kStartBatch);
    std::size_t n = 0;
    std::size_t p = batch;
    for (; p + 16 <= stop; p += 16) {
      const unsigned letters = WordLetterMask16(text.data() + p);
      const unsigned word_starts = letters & ~((letters << 1) | before);
      before = letters >> 15;
      for (unsigned half = 0; half < 16; half += 8) {
        const BitPositions& row = kBitPositions[(word_starts >> half) & 0xFF];
        const std::uint64_t offsets =
            row.packed + 0x0101010101010101ull * static_cast<std::uint64_t>(p - batch + half);
        std::memcpy(starts.data() + n, &offsets, 8);
        n += row.count;
      }
    }
    for (; p < stop; ++p) {  // the last few bytes one by one
      const unsigned letter = IsWordLetter(bytes[p]);
      starts[n] = static_cast<std::uint8_t>(p - batch);
      n += letter & ~before;
      before = letter;
    }
    std::size_t m = 0;  // of the n, those whose first byte begins a needle
    for (std::size_t k = 0; k < n; ++k) {
      starts[m] = starts[k];
      m += word_starts_.Begins(bytes[batch + starts[k]]);
    }
    std::size_t kept = 0;  // of the m, those whose first bytes may begin a needle
    for (std::size_t k = 0; k < m; ++k) {
      starts[kept] = starts[k];
      kept += word_starts_.MayBeginAt(text.data() + batch + starts[k], end);
    }
    for (std::size_t k = 0; k < kept; ++k) {
      const std::size_t at = batch + starts[k];
      any = word_starts_.ForEachAt(text.data() + at, end, [&](std::size_t pair) {
        if (!present_.Test(pair)) {
          first_start_[pair] = last_start_[pair] = at;
          present_.Set(pair);
        } else {
          first_start_[pair] = std::min(first_start_[pair], at);
          last_start_[pair] = std::max(last_start_[pair], at);
        }
      }) || any;
    }
  }
  return any;
}

void PhrasePass::BuildJumps(const std::vector<std::size_t>& skip_to) {
  const std::size_t count = skip_to.size();
  std::vector<std::size_t> open_ends;  // ends of the groups around entry i, innermost last
  for (std::size_t i = 0; i < count; ++i) {
    while (!open_ends.empty() && open_ends.back() <= i) open_ends.pop_back();
    if (skip_to[i] == 0) continue;
    if (!open_ends.empty() && skip_to[i] > open_ends.back()) nested_groups_ = false;
    open_ends.push_back(skip_to[i]);
  }
  step_.assign(count + 1, Jump{count, count});
  for (std::size_t i = count; i-- > 0;)
    step_[i] = skip_to[i] != 0 ? Jump{i, skip_to[i]} : step_[i + 1];
  far_.assign(count + 1, Jump{count, count});
  for (std::size_t i = 0; i < count; ++i) {
    Jump jump{count, i};
    for (int n = 0; n < kFarSteps && jump.to < count && step_[jump.to].header < count; ++n)
      jump = step_[jump.to];
    if (jump.header < count && jump.to != i) far_[i] = jump;
  }
}

bool PhrasePass::ApplyPair(std::size_t i, std::string& line) {
  if (!ApplyPhraseRule(rules_[i], line, folded_, &out_) || out_ == line) return false;
  line.swap(out_);
  ScanChange(out_, line);
  return true;
}

// Every occurrence that overlaps the changed stretch lies within it widened by the longest
// pattern's length less one on both sides; entries found elsewhere are marked already.
void PhrasePass::ScanChange(std::string_view before, const std::string& line) {
  matcher_.FindEntries(RefoldChange(before, line, matcher_.max_pattern_length(), &folded_),
                       seen_patterns_, present_);
}

// A long line is walked in pieces cut at barrier bytes, a shorter one whole.
void PhrasePass::Apply(std::string& line) {
  if (matcher_.pattern_count() == 0 && unmatched_.empty()) return;  // nothing to find
  if (!MayApply(line)) return;
  if (line.size() > kLongLine) {
    std::vector<std::string> pieces = CutAtBarriers(line, barriers_, kPieceLength);
    if (pieces.size() > 1) {
      ApplyToPieces(pieces);
      JoinPieces(pieces, &line);
      return;
    }
  }
  if (word_starts_only_)
    ApplyAtWordStarts(line);
  else
    ApplyToLine(line);
}

// present_ holds the pairs whose needle (its part in the trie) begins a word of line. A change
// can make a needle begin a word only where it overlaps the changed stretch or just after it
// (the byte before may have turned into a non-letter); further on, every byte a walk of the
// trie reads and the byte before it are as they were. MarkWordStarts is run over those
// positions, which start at `from`. Before `from` no needle's start has moved, so the first
// word start a pair's needle begins is at least the least of first_start_[pair] and every
// such `from`: that pair's search starts there. Every occurrence before it is rejected for
// the letter before it, and such a rejection resumes the search at most two bytes on, never
// past a word start (the byte after a rejected start is a letter), so the same occurrences
// are replaced as by a search from the line's start. Likewise every word start a pair's
// needle begins was marked where it stood then, and has moved on since by at most what the
// later replacements added to the line: the search ends past last_start_[pair] by that and
// the needle's length.
void PhrasePass::ApplyAtWordStarts(std::string& line) {
  FoldInto(line, &folded_);
  const std::size_t context = std::max<std::size_t>(word_starts_.depth(), 1) - 1;
  std::size_t moved = line.size();  // the least `from` of the changes so far
  std::size_t grown = 0;            // the bytes the replacements so far added (none taken off)
  WalkPairs(
      present_,
      [&](std::size_t header) {
        return FindNeedle(folded_, rules_[header].needle) != std::string_view::npos;
      },
      [&](std::size_t pair) {
        const PhraseRule& rule = rules_[pair];
        const std::size_t search_from = std::min(first_start_[pair], moved);
        const std::size_t search_to = last_start_[pair] + grown + rule.needle.size();
        PhraseChange change;
        if (!ReplacePhraseInPlace(rule, line, folded_, search_from, search_to, &found_, &change))
          return;
        grown += change.added;
        const std::size_t from = change.begin > context ? change.begin - context : 0;
        moved = std::min(moved, from);
        MarkWordStarts(line, from, std::min(line.size(), change.end + 1));
      });
}

void PhrasePass::ApplyToLine(std::string& line) {
  FoldInto(line, &folded_);
  present_.Clear();
  matcher_.FindEntries(folded_, seen_patterns_, present_);
  for (std::size_t i : unmatched_) present_.Set(i);
  // Once the line has changed, marks may be stale: a pair then simply finds nothing, and a
  // marked header's key is searched again.
  bool marks_exact = true;
  Walk(
      present_,
      [&](std::size_t header) {
        return (marks_exact && !is_unmatched_[header]) ||
               FindNeedle(folded_, rules_[header].needle) != std::string_view::npos;
      },
      [&](std::size_t pair) {
        if (ApplyPair(pair, line)) marks_exact = false;
      });
}

}  // namespace lorvan
