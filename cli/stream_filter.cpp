#include "cli/stream_filter.h"

#include <unistd.h>

#include <cerrno>
#include <memory>

#include "common/text_file.h"
#include "encoding/cyrillic.h"
#include "encoding/paragraphs.h"

namespace lorvan {
namespace {

// Passes every complete line of text[from..] to filter and returns where the first unfinished
// line starts. A CR that is the last byte is not complete unless at_end: an LF may follow it.
// Everything before search_from is known to hold no line end.
std::size_t FilterCompleteLines(std::string_view text, std::size_t search_from, bool at_end,
                                const LineFilter& filter, std::ostream& out) {
  std::size_t start = 0;
  for (std::size_t i = search_from; i < text.size(); ++i) {
    const char c = text[i];
    if (c != '\r' && c != '\n') continue;
    if (c == '\r' && i + 1 == text.size() && !at_end) break;
    filter(text.substr(start, i - start), out);
    if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
    start = i + 1;
  }
  if (at_end && start < text.size()) {
    filter(text.substr(start), out);
    start = text.size();
  }
  return start;
}

}  // namespace

LineFilter TranslatingFilter(LineTranslator& translator, bool paragraphs) {
  auto state = std::make_shared<FolderPassState>();
  return [&translator, paragraphs, state](std::string_view line, std::ostream& out) {
    if (line.empty()) {
      out << translator.Translate("", *state) << '\n';
      return;
    }
    const std::string pieces = MakeWorkingCopy(line, paragraphs);
    LineReader reader(pieces);
    std::string_view piece;
    while (reader.Next(&piece)) out << translator.Translate(piece, *state) << '\n';
  };
}

LineFilter ConvertingFilter() {
  return [converted = std::string()](std::string_view line, std::ostream& out) mutable {
    converted.assign(line.data(), line.size());
    out << CyrillicToLatin(converted) << '\n';
  };
}

bool FilterStream(int in_fd, std::ostream& out, const LineFilter& filter, const StopFlag& stop,
                  bool flush_lines) {
  std::string pending;  // input read but not yet passed on as lines
  char buffer[1 << 16];
  for (;;) {
    if (stop.IsSet()) return false;
    ssize_t n = ::read(in_fd, buffer, sizeof buffer);
    if (n < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    if (n == 0) break;
    // A CR left at the end of the last read may end a line now that its next byte is here.
    const std::size_t search_from = pending.empty() ? 0 : pending.size() - 1;
    pending.append(buffer, static_cast<std::size_t>(n));
    pending.erase(0, FilterCompleteLines(pending, search_from, false, filter, out));
    if (stop.IsSet()) return false;
    if (flush_lines) out.flush();
  }
  FilterCompleteLines(pending, 0, true, filter, out);
  out.flush();
  return true;
}

}  // namespace lorvan
