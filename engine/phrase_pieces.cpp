// The phrase pass over the pieces of a line.
#include <algorithm>
#include <iterator>

#include "common/find_needle.h"
#include "engine/phrases.h"

namespace lorvan {

// holders[i] lists the pieces where entry i may occur: exact for a piece that has not changed,
// a superset for one that has (a change adds what the changed stretch now holds). The lists
// are the pass's own, kept between lines: a line with a few pieces then costs what its hits
// cost, not a list for every entry. They are left empty again when the walk is done.
struct PhrasePass::Pieces {
  Pieces(std::vector<std::string>& pieces, std::vector<std::vector<std::uint32_t>>& lists,
         BitSet& with_holders)
      : text(pieces), changed(pieces.size(), false), holders(lists), any(with_holders) {
    any.Clear();
  }
  ~Pieces() {
    for (std::size_t i = any.NextSet(0); i < any.size(); i = any.NextSet(i + 1)) holders[i].clear();
  }

  std::vector<std::string>& text;
  std::vector<bool> changed;
  std::vector<std::vector<std::uint32_t>>& holders;
  BitSet& any;  // entries with a holder
};

// A long piece is cut further at barrier bytes, as a long line is, and joined again after.
void PhrasePass::Apply(std::vector<std::string>& pieces) {
  if (matcher_.pattern_count() == 0 && unmatched_.empty()) return;  // nothing to find
  if (std::none_of(pieces.begin(), pieces.end(),
                   [this](const std::string& piece) { return MayApply(piece); }))
    return;
  if (std::none_of(pieces.begin(), pieces.end(),
                   [](const std::string& piece) { return piece.size() > kLongLine; })) {
    ApplyToPieces(pieces);
    return;
  }
  std::vector<std::string> cut;
  std::vector<std::size_t> parts;  // how many pieces of cut each piece became
  cut.reserve(pieces.size());
  for (std::string& piece : pieces) {
    if (piece.size() <= kLongLine) {
      cut.push_back(std::move(piece));
      parts.push_back(1);
      continue;
    }
    std::vector<std::string> sub = CutAtBarriers(piece, barriers_, kPieceLength);
    parts.push_back(sub.size());
    std::move(sub.begin(), sub.end(), std::back_inserter(cut));
  }
  ApplyToPieces(cut);
  std::size_t at = 0;
  for (std::size_t k = 0; k < pieces.size(); ++k) {
    pieces[k].clear();
    for (std::size_t j = 0; j < parts[k]; ++j) pieces[k].append(cut[at++]);
  }
}

// The same walk as over a whole line, with the marks of all pieces together.
void PhrasePass::ApplyToPieces(std::vector<std::string>& text) {
  Pieces pieces(text, holders_, with_holders_);
  for (std::size_t k = 0; k < text.size(); ++k) {
    FoldInto(text[k], &folded_);
    MarkPiece(folded_, k, 0, pieces);
  }
  for (std::size_t i : unmatched_) {
    for (std::size_t k = 0; k < text.size(); ++k)
      pieces.holders[i].push_back(static_cast<std::uint32_t>(k));
    pieces.any.Set(i);
  }
  Walk(
      pieces.any, [&](std::size_t header) { return KeyInPieces(header, pieces); },
      [&](std::size_t pair) { ApplyPairToPieces(pair, pieces); });
}

void PhrasePass::MarkPiece(std::string_view folded, std::size_t k, std::size_t first,
                           Pieces& pieces) {
  present_.Clear();
  matcher_.FindEntries(folded, seen_patterns_, present_);
  for (std::size_t i = present_.NextSet(first); i < rules_.size(); i = present_.NextSet(i + 1)) {
    pieces.holders[i].push_back(static_cast<std::uint32_t>(k));
    pieces.any.Set(i);
  }
}

bool PhrasePass::KeyInPieces(std::size_t header, Pieces& pieces) {
  for (std::uint32_t k : pieces.holders[header]) {
    if (!pieces.changed[k] && !is_unmatched_[header]) return true;
    FoldInto(pieces.text[k], &folded_);
    if (FindNeedle(folded_, rules_[header].needle) != std::string_view::npos) return true;
  }
  return false;
}

void PhrasePass::ApplyPairToPieces(std::size_t i, Pieces& pieces) {
  std::vector<std::uint32_t> holders;
  holders.swap(pieces.holders[i]);  // the walk never comes back to entry i
  std::sort(holders.begin(), holders.end());
  holders.erase(std::unique(holders.begin(), holders.end()), holders.end());
  for (std::uint32_t k : holders) {
    std::string& piece = pieces.text[k];
    FoldInto(piece, &folded_);
    if (!ApplyPhraseRule(rules_[i], piece, folded_, &out_) || out_ == piece) continue;
    piece.swap(out_);
    pieces.changed[k] = true;
    MarkPiece(RefoldChange(out_, piece, matcher_.max_pattern_length(), &folded_), k, i + 1, pieces);
  }
}

}  // namespace lorvan
