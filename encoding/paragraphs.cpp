#include "encoding/paragraphs.h"

#include "common/text_file.h"
#include "encoding/letters.h"

namespace lorvan {
namespace {

constexpr std::string_view kClosingTag = "</p><";
constexpr std::string_view kBreakAfterTag = "</p>\r\n<";
constexpr std::string_view kLineEnd = "\r\n";

// Appends line to out with every LF turned into CR and, with split_paragraphs, a line break
// after every "</p>" (any case) that is directly followed by "<".
void AppendLine(std::string_view line, bool split_paragraphs, std::string& out) {
  for (std::size_t i = 0; i < line.size();) {
    if (split_paragraphs && line[i] == '<' &&
        EqualsIgnoreCase(line.substr(i, kClosingTag.size()), kClosingTag)) {
      out.append(kBreakAfterTag);
      i += kClosingTag.size();
      continue;
    }
    out.push_back(line[i] == '\n' ? '\r' : line[i]);
    ++i;
  }
  out.append(kLineEnd);
}

}  // namespace

std::string MakeWorkingCopy(std::string_view input, bool split_paragraphs) {
  std::string out;
  out.reserve(input.size() + input.size() / 16 + kLineEnd.size());
  const FinalLfSplit split = SplitFinalLf(input);
  LineReader reader(split.lines);
  std::string_view line;
  while (reader.Next(&line)) AppendLine(line, split_paragraphs, out);
  if (split.empty_last_line) out.append(kLineEnd);
  return out;
}

}  // namespace lorvan
