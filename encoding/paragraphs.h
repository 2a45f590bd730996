// The working copy of a file to translate: its lines with bare LFs turned into CRs and,
// optionally, a line break after every closing paragraph tag that is followed by a tag.
#pragma once

#include <string>
#include <string_view>

#include "encoding/letters.h"

namespace lorvan {

// Cuts line after every "</p>" (any letter case) that is directly followed by "<" and passes
// each piece to piece(std::string_view) in order; without split_paragraphs, or without such a
// tag, the whole line is the one piece.
template <typename Piece>
void ForEachParagraphPiece(std::string_view line, bool split_paragraphs, Piece&& piece) {
  constexpr std::string_view kClosingTag = "</p><";
  std::size_t start = 0;
  if (split_paragraphs) {
    for (std::size_t at = line.find('<'); at != std::string_view::npos;
         at = line.find('<', at + 1)) {
      if (!EqualsIgnoreCase(line.substr(at, kClosingTag.size()), kClosingTag)) continue;
      piece(line.substr(start, at + 4 - start));
      start = at + 4;
    }
  }
  piece(line.substr(start));
}

// Builds the working copy of input: every line followed by CR LF. A lone LF inside a line
// becomes CR, except a lone LF that is the very last byte of input, which ends the last line.
// With split_paragraphs, every "</p><" (any letter case) becomes "</p>", CR LF, "<".
// With open_end, input is a piece of a file that ends in a lone LF inside a line: that LF
// becomes CR too, and the last line gets no CR LF, for the next piece to go on with it.
std::string MakeWorkingCopy(std::string_view input, bool split_paragraphs, bool open_end = false);

// True when MakeWorkingCopy(input, split_paragraphs) equals input: it is empty or ends with
// CR LF, every CR is followed by LF and every LF follows a CR, and with split_paragraphs no
// "</p><" (any letter case) is in it. Such an input can serve as its own working copy.
bool IsWorkingCopy(std::string_view input, bool split_paragraphs);

}  // namespace lorvan
