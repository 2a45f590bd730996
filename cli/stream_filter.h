// Standard input filtered line by line for the command line's --stdin: translated, or only
// converted from Cyrillic to Latin letters.
#pragma once

#include <functional>
#include <ostream>
#include <string>
#include <string_view>

#include "engine/line_translator.h"
#include "run/stop_flag.h"

namespace lorvan {

// Turns one input line (without its line end) into the output lines it gives, each written
// to out followed by LF.
using LineFilter = std::function<void(std::string_view line, std::ostream& out)>;

// The filter that translates: paragraphs splits lines after closing paragraph tags as files
// are split, and the folder pass state carries from line to line.
LineFilter TranslatingFilter(LineTranslator& translator, bool paragraphs);

// The filter that only transliterates Serbian Cyrillic to Latin letters, one line for one.
LineFilter ConvertingFilter();

// Passes what the file descriptor in_fd delivers through filter, line by line, to out. Lines
// are split as a file's are: CR LF, a lone CR and a lone LF each end one line, and the last
// line needs no end. flush_lines writes each read's lines out at once. Returns false when
// reading failed or stop was set (a signal that sets it also ends a read that is waiting).
bool FilterStream(int in_fd, std::ostream& out, const LineFilter& filter, const StopFlag& stop,
                  bool flush_lines);

}  // namespace lorvan
