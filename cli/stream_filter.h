// Translation of a stream, line by line, for the command line's --stdin.
#pragma once

#include <ostream>

#include "run/line_translator.h"
#include "run/stop_flag.h"

namespace lorvan {

// Translates what the file descriptor in_fd delivers to out: a line ends at LF, CR LF or CR,
// and every output line is followed by LF. paragraphs splits lines after closing paragraph
// tags as files are split. The folder pass state carries from line to line. flush_lines
// writes each line out at once. Returns false when reading failed or stop was set (a signal
// that sets it also ends a read that is waiting for input).
bool TranslateStream(int in_fd, std::ostream& out, LineTranslator& translator, bool paragraphs,
                     const StopFlag& stop, bool flush_lines);

}  // namespace lorvan
