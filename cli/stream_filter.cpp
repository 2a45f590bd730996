#include "cli/stream_filter.h"

#include <unistd.h>

#include <cerrno>
#include <string>

#include "common/text_file.h"
#include "encoding/paragraphs.h"

namespace lorvan {
namespace {

// Translates one input line (without its LF) and writes its output lines.
void TranslateInputLine(std::string_view input_line, std::ostream& out, LineTranslator& translator,
                        bool paragraphs, FolderPassState& state) {
  if (!input_line.empty() && input_line.back() == '\r') input_line.remove_suffix(1);
  if (input_line.empty()) {
    out << translator.Translate("", state) << '\n';
    return;
  }
  // The working copy of this one line: its lone CRs end lines, paragraphs are split.
  std::string lines = MakeWorkingCopy(input_line, paragraphs);
  LineReader reader(lines);
  std::string_view line;
  while (reader.Next(&line)) out << translator.Translate(line, state) << '\n';
}

}  // namespace

bool TranslateStream(int in_fd, std::ostream& out, LineTranslator& translator, bool paragraphs,
                     const StopFlag& stop, bool flush_lines) {
  FolderPassState state;
  std::string pending;  // input read but not yet ended by a LF
  char buffer[1 << 16];
  for (;;) {
    if (stop.IsSet()) return false;
    ssize_t n = ::read(in_fd, buffer, sizeof buffer);
    if (n < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    if (n == 0) break;
    pending.append(buffer, static_cast<std::size_t>(n));
    std::size_t start = 0;
    for (std::size_t lf; (lf = pending.find('\n', start)) != std::string::npos; start = lf + 1) {
      if (stop.IsSet()) return false;
      TranslateInputLine(std::string_view(pending).substr(start, lf - start), out, translator,
                         paragraphs, state);
    }
    pending.erase(0, start);
    if (flush_lines) out.flush();
  }
  if (!pending.empty()) TranslateInputLine(pending, out, translator, paragraphs, state);
  out.flush();
  return true;
}

}  // namespace lorvan
