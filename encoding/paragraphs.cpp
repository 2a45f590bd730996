#include "encoding/paragraphs.h"

#include <unistd.h>

#include <cerrno>
#include <filesystem>

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

// Writes bytes over path, which is also the file they were made from: the old content stays
// whole until the new one is complete, and a file that may not be written is refused as it
// would be when written directly.
Status ReplaceInputFile(const std::string& path, std::string_view bytes) {
  if (::access(path.c_str(), W_OK) != 0) return Status::FromErrno(errno, path);
  return ReplaceFileAtomically(path, bytes);
}

bool SameFile(const std::string& a, const std::string& b) {
  std::error_code error;
  return a == b || std::filesystem::equivalent(a, b, error);
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

Status SplitParagraphs(const std::string& input_path, const std::string& output_path,
                       bool split_paragraphs, std::int64_t* size) {
  std::string input;
  Status status = ReadFileBytes(input_path, &input);
  if (!status.ok()) return status;
  std::string copy = MakeWorkingCopy(input, split_paragraphs);
  status = SameFile(input_path, output_path) ? ReplaceInputFile(output_path, copy)
                                             : WriteFileBytes(output_path, copy);
  if (status.ok()) *size = static_cast<std::int64_t>(copy.size());
  return status;
}

}  // namespace lorvan
