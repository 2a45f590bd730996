// The working copy of a file to translate: its lines with bare LFs turned into CRs and,
// optionally, a line break after every closing paragraph tag that is followed by a tag.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "common/status.h"

namespace lorvan {

// Builds the working copy of input: every line followed by CR LF. A lone LF inside a line
// becomes CR, except a lone LF that is the very last byte of input, which ends the last line.
// With split_paragraphs, every "</p><" (any letter case) becomes "</p>", CR LF, "<".
std::string MakeWorkingCopy(std::string_view input, bool split_paragraphs);

// Reads input_path, writes its working copy to output_path and returns the working copy's
// length in *size. The paths may name the same file: it is then replaced only once the copy
// is complete, and refused when it may not be written.
Status SplitParagraphs(const std::string& input_path, const std::string& output_path,
                       bool split_paragraphs, std::int64_t* size);

}  // namespace lorvan
