#include "encoding/paragraphs.h"

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
  // Every CR stands before the final LF, so the byte after it exists.
  for (std::size_t i = 0; i < input.size(); ++i) {
    const char c = input[i];
    if (c == '\n') return false;  // an LF that follows a CR is passed over with it
    if (c == '\r') {
      if (input[i + 1] != '\n') return false;
      ++i;
    }
  }
  if (!split_paragraphs) return true;
  for (std::size_t at = input.find('<'); at != std::string_view::npos; at = input.find('<', at + 1))
    if (EqualsIgnoreCase(input.substr(at, kClosingTag.size()), kClosingTag)) return false;
  return true;
}

}  // namespace lorvan
