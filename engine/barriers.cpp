#include "engine/barriers.h"

#include "encoding/letters.h"

namespace lorvan {

BarrierBytes::BarrierBytes() {
  for (int byte = 0; byte < 256; ++byte)
    barrier_[byte] = !IsWordLetter(static_cast<unsigned char>(byte));
}

void BarrierBytes::Exclude(std::string_view text) {
  for (char c : text) {
    auto byte = static_cast<unsigned char>(c);
    barrier_[byte] = false;
    barrier_[ToLowerByte(byte)] = false;
    barrier_[ToUpperByte(byte)] = false;
  }
}

std::vector<std::string> CutAtBarriers(std::string_view line, const BarrierBytes& barriers,
                                       std::size_t piece_length) {
  std::vector<std::string> pieces;
  std::size_t start = 0;
  while (start < line.size()) {
    std::size_t end = start + (piece_length > 0 ? piece_length - 1 : 0);
    while (end < line.size() && !barriers.Contains(static_cast<unsigned char>(line[end]))) ++end;
    end = end < line.size() ? end + 1 : line.size();
    pieces.emplace_back(line.substr(start, end - start));
    start = end;
  }
  return pieces;
}

void JoinPieces(std::vector<std::string>& pieces, std::string* line) {
  std::size_t size = 0;
  for (const std::string& piece : pieces) size += piece.size();
  line->clear();
  line->reserve(size);
  for (std::string& piece : pieces) {
    line->append(piece);
    std::string().swap(piece);
  }
}

}  // namespace lorvan
