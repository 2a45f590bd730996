// The working copy of a file to translate: its lines with bare LFs turned into CRs and,
// optionally, a line break after every closing paragraph tag that is followed by a tag.
#pragma once

#include <string>
#include <string_view>

namespace lorvan {

// Builds the working copy of input: every line followed by CR LF. A lone LF inside a line
// becomes CR, except a lone LF that is the very last byte of input, which ends the last line.
// With split_paragraphs, every "</p><" (any letter case) becomes "</p>", CR LF, "<".
std::string MakeWorkingCopy(std::string_view input, bool split_paragraphs);

}  // namespace lorvan
