#include "encoding/paragraphs.h"

#include <cstring>

#include "common/text_file.h"
#include "encoding/letters.h"

namespace lorvan {
namespace {

constexpr std::string_view kClosingTag = "</p><";
constexpr std::string_view kBreakAfterTag = "</p>\r\n<";
constexpr std::string_view kLineEnd = "\r\n";

// Appends line to out with every LF turned into CR and, with split_paragraphs, a line break
// after every "</p>" (any case) that is directly followed by "<". The stretches between those
// places are appended whole.
void AppendLine(std::string_view line, bool split_paragraphs, std::string& out) {
  std::size_t copied = 0;  // line[0, copied) is in out
  for (std::size_t i = 0; i < line.size(); ++i) {
    if (line[i] == '\n') {
      out.append(line.substr(copied, i - copied)).push_back('\r');
      copied = i + 1;
    } else if (split_paragraphs && line[i] == '<' &&
               EqualsIgnoreCase(line.substr(i, kClosingTag.size()), kClosingTag)) {
      out.append(line.substr(copied, i - copied)).append(kBreakAfterTag);
      copied = i + kClosingTag.size();
      i = copied - 1;
    }
  }
  out.append(line.substr(copied)).append(kLineEnd);
}

}  // namespace

std::string MakeWorkingCopy(std::string_view input, bool split_paragraphs, bool open_end) {
  std::string out;
  out.reserve(input.size() + input.size() / 16 + kLineEnd.size());
  const FinalLfSplit split = open_end ? FinalLfSplit{input} : SplitFinalLf(input);
  LineReader reader(split.lines);
  std::string_view line;
  while (reader.Next(&line)) AppendLine(line, split_paragraphs, out);
  if (split.empty_last_line) out.append(kLineEnd);
  if (open_end && !input.empty()) out.resize(out.size() - kLineEnd.size());
  return out;
}

bool IsWorkingCopy(std::string_view input, bool split_paragraphs) {
  if (!input.empty() && !input.ends_with(kLineEnd)) return false;
  // CR and LF stand only in pairs: every LF after a CR, every CR before an LF (a CR stands
  // before the final LF, so the byte after it exists). Each is found by memchr, many bytes
  // at a time.
  const char* const begin = input.data();
  const char* const end = begin + input.size();
  // The first c at or after p, or end.
  auto next = [end](const char* p, char c) {
    const void* found = p == end ? nullptr : std::memchr(p, c, static_cast<std::size_t>(end - p));
    return found != nullptr ? static_cast<const char*>(found) : end;
  };
  for (const char* p = next(begin, '\n'); p != end; p = next(p + 1, '\n'))
    if (p == begin || p[-1] != '\r') return false;
  for (const char* p = next(begin, '\r'); p != end; p = next(p + 1, '\r'))
    if (p[1] != '\n') return false;
  if (!split_paragraphs) return true;
  for (std::size_t at = input.find('<'); at != std::string_view::npos; at = input.find('<', at + 1))
    if (EqualsIgnoreCase(input.substr(at, kClosingTag.size()), kClosingTag)) return false;
  return true;
}

}  // namespace lorvan
