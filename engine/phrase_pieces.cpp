// The phrase pass over the pieces of a long line.
#include <algorithm>

#include "engine/phrases.h"

namespace lorvan {

// holders[i] lists the pieces where entry i may occur: exact for a piece that has not changed,
// a superset for one that has (a change adds what the changed stretch now holds).
struct PhrasePass::Pieces {
  Pieces(std::vector<std::string>& pieces, std::size_t entries)
      : text(pieces), changed(pieces.size(), false), holders(entries) {
    any.Resize(entries);
  }

  std::vector<std::string>& text;
  std::vector<bool> changed;
  std::vector<std::vector<std::uint32_t>> holders;
  BitSet any;  // entries with a holder
};

// The same walk as over a whole line, with the marks of all pieces together.
void PhrasePass::ApplyToPieces(std::vector<std::string>& text) {
  const std::size_t count = rules_.size();
  Pieces pieces(text, count);
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
    if (folded_.find(rules_[header].needle) != std::string::npos) return true;
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
    FoldInto(piece, &folded_);
    MarkPiece(ChangedStretch(out_, folded_, matcher_.max_pattern_length()), k, i + 1, pieces);
  }
}

}  // namespace lorvan
