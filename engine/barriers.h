// Long lines cut into short pieces for the phrase and name passes. A pass cuts only at
// barrier bytes: bytes that no pattern of the pass holds and no replacement writes. No
// occurrence can then span a cut at any stage, and a boundary test at a piece's edge sees
// either the line's edge or the barrier, a non-letter, which gives the same verdict; so a
// pass applied piece by piece writes the same line as over the whole line, at a cost that
// no longer grows with the line's length for every entry that hits.
#pragma once

#include <array>
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace lorvan {

// Lines longer than this are cut into pieces when they hold barrier bytes. The argument above
// holds for a cut at any barrier, so the length only weighs the bookkeeping of pieces against
// the cost of a hit, which re-folds and re-scans its whole piece: a few kilobytes keep that
// cost near what short lines pay per byte.
inline constexpr std::size_t kLongLine = std::size_t{4} << 10;
// The least length of a piece (but the last): shorter pieces cost more bookkeeping than they
// save in copying.
inline constexpr std::size_t kPieceLength = std::size_t{2} << 10;

class BarrierBytes {
 public:
  // Every byte that is not a word letter.
  BarrierBytes();
  // Takes every byte of text, and its other letter case, out of the set.
  void Exclude(std::string_view text);
  bool Contains(unsigned char byte) const { return barrier_[byte]; }

 private:
  std::array<bool, 256> barrier_{};
};

// Cuts line into pieces of at least piece_length bytes (the last may be shorter), each but
// the last ending just after a barrier byte. Fewer than two pieces means there is no cut.
std::vector<std::string> CutAtBarriers(std::string_view line, const BarrierBytes& barriers,
                                       std::size_t piece_length);

// Writes the pieces one after another into *line, freeing each piece once it is copied.
void JoinPieces(std::vector<std::string>& pieces, std::string* line);

}  // namespace lorvan
