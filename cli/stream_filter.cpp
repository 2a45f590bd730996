#include "cli/stream_filter.h"

#include <unistd.h>

#include <cerrno>
#include <memory>

#include "common/text_file.h"
#include "encoding/cyrillic.h"
#include "encoding/paragraphs.h"
#include "run/file_text.h"

namespace lorvan {
namespace {

// Passes every complete line of text to filter and returns where the first unfinished line
// starts. A CR that is the last byte is not complete unless at_end: an LF may follow it.
// Everything before search_from is known to hold no line end.
std::size_t FilterCompleteLines(std::string_view text, std::size_t search_from, bool at_end,
                                const LineFilter& filter, std::ostream& out) {
  std::size_t start = 0;
  for (std::size_t i = search_from; i < text.size(); ++i) {
    const char c = text[i];
    if (c != '\r' && c != '\n') continue;
    if (c == '\r' && i + 1 == text.size() && !at_end) break;
    const std::size_t end_size = c == '\r' && i + 1 < text.size() && text[i + 1] == '\n' ? 2 : 1;
    filter(text.substr(start, i - start), text.substr(i, end_size), out);
    i += end_size - 1;
    start = i + 1;
  }
  if (at_end && start < text.size()) {
    filter(text.substr(start), {}, out);
    start = text.size();
  }
  return start;
}

// One line's text between the core and the stream: decoded from UTF-8 when the stream is
// UTF-8, and encoded back with the characters the decoder kept.
class LineCodec {
 public:
  LineCodec(const StreamFormat& format, bool cyrillic) : format_(format), cyrillic_(cyrillic) {}

  // The Windows-1250 text of line.
  std::string_view Decode(std::string_view line) {
    if (format_.byte_exact || format_.encoding == TextEncoding::kWindows1250) return line;
    decoded_.clear();
    kept_.Clear();
    DecodeUtf8(line, cyrillic_, &decoded_, &kept_);
    return decoded_;
  }
  // Writes result, made from the last decoded line, and the line end that follows it.
  void Write(std::string_view result, std::string_view end, std::ostream& out) {
    if (format_.byte_exact) {
      out << result << '\n';
      return;
    }
    if (format_.encoding == TextEncoding::kUtf8) {
      encoded_.clear();
      KeptCharacters::Cursor cursor = kept_.Begin();
      EncodeUtf8(result, &cursor, &encoded_);
      result = encoded_;
    }
    out << result << OutputLineEnd(end, format_.line_ends);
  }

 private:
  const StreamFormat format_;
  const bool cyrillic_;
  std::string decoded_, encoded_;
  KeptCharacters kept_;
};

}  // namespace

LineFilter TranslatingFilter(LineTranslator& translator, bool paragraphs, bool cyrillic,
                             const StreamFormat& format) {
  auto state = std::make_shared<FolderPassState>();
  auto codec = std::make_shared<LineCodec>(format, cyrillic);
  auto result = std::make_shared<std::string>();
  // The pieces of a paragraph-split line end as the line does (a last line without an end: as
  // the line before it).
  auto last_end = std::make_shared<std::string>("\n");
  return [&translator, paragraphs, format, state, codec, result, last_end](
             std::string_view line, std::string_view end, std::ostream& out) {
    const std::string_view text = codec->Decode(line);
    const std::string_view piece_end = format.byte_exact ? std::string_view("\n")
                                       : end.empty()      ? std::string_view(*last_end)
                                                          : end;
    if (!end.empty()) last_end->assign(end);
    result->clear();
    bool first = true;
    // In the original byte model a line's pieces are lines of their own, each with LF.
    ForEachParagraphPiece(text, paragraphs, [&](std::string_view piece) {
      if (!first) {
        if (format.byte_exact) {
          codec->Write(*result, "\n", out);
          result->clear();
        } else {
          result->append(OutputLineEnd(piece_end, format.line_ends));
        }
      }
      first = false;
      result->append(translator.Translate(piece, *state));
    });
    codec->Write(*result, end, out);
  };
}

LineFilter ConvertingFilter(const StreamFormat& format) {
  auto codec = std::make_shared<LineCodec>(format, /*cyrillic=*/true);
  return [codec, format, converted = std::string()](std::string_view line, std::string_view end,
                                                    std::ostream& out) mutable {
    if (format.byte_exact) {
      converted.assign(line.data(), line.size());
      codec->Write(CyrillicToLatin(converted), end, out);
      return;
    }
    codec->Write(codec->Decode(line), end, out);
  };
}

bool ReadPrefix(int in_fd, std::size_t size, const StopFlag& stop, std::string* prefix) {
  char buffer[1 << 16];
  while (prefix->size() < size) {
    if (stop.IsSet()) return true;
    ssize_t n = ::read(in_fd, buffer, sizeof buffer);
    if (n < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    if (n == 0) break;
    prefix->append(buffer, static_cast<std::size_t>(n));
  }
  return true;
}

TextEncoding StreamEncoding(std::string_view prefix, bool at_end, EncodingChoice choice) {
  if (choice == EncodingChoice::kUtf8) return TextEncoding::kUtf8;
  if (choice == EncodingChoice::kWindows1250) return TextEncoding::kWindows1250;
  if (!at_end) {
    // Leave out a character the prefix cuts: its lead byte within the last three bytes.
    for (std::size_t back = 1; back <= 3 && back <= prefix.size(); ++back) {
      const unsigned char c = static_cast<unsigned char>(prefix[prefix.size() - back]);
      if ((c & 0xC0) == 0x80) continue;
      const std::size_t length = c >= 0xF0 ? 4 : c >= 0xE0 ? 3 : c >= 0xC0 ? 2 : 1;
      if (length > back) prefix.remove_suffix(back);
      break;
    }
  }
  return DetectEncoding(prefix);
}

StreamEnd FilterStream(int in_fd, std::string prefix, std::ostream& out, const LineFilter& filter,
                       const StopFlag& stop, bool flush_lines) {
  std::string pending = std::move(prefix);  // input read but not yet passed on as lines
  pending.erase(0, FilterCompleteLines(pending, 0, false, filter, out));
  char buffer[1 << 16];
  for (;;) {
    if (stop.IsSet()) return StreamEnd::kStopped;
    if (flush_lines) out.flush();
    if (!out) return StreamEnd::kWriteFailed;
    ssize_t n = ::read(in_fd, buffer, sizeof buffer);
    if (n < 0) {
      if (errno == EINTR) continue;
      return StreamEnd::kReadFailed;
    }
    if (n == 0) break;
    // A CR left at the end of the last read may end a line now that its next byte is here.
    const std::size_t search_from = pending.empty() ? 0 : pending.size() - 1;
    pending.append(buffer, static_cast<std::size_t>(n));
    pending.erase(0, FilterCompleteLines(pending, search_from, false, filter, out));
  }
  FilterCompleteLines(pending, 0, true, filter, out);
  out.flush();
  return out ? StreamEnd::kInputEnded : StreamEnd::kWriteFailed;
}

FdOutput::FdOutput(int fd) : std::ostream(nullptr), buffer_(fd) { rdbuf(&buffer_); }

FdOutput::~FdOutput() { flush(); }

FdOutput::Buffer::Buffer(int fd) : fd_(fd) { setp(bytes_, bytes_ + sizeof bytes_); }

FdOutput::Buffer::int_type FdOutput::Buffer::overflow(int_type c) {
  if (!WriteOut()) return traits_type::eof();
  if (traits_type::eq_int_type(c, traits_type::eof())) return traits_type::not_eof(c);
  *pptr() = traits_type::to_char_type(c);
  pbump(1);
  return c;
}

int FdOutput::Buffer::sync() { return WriteOut() ? 0 : -1; }

// Writes out what the buffer holds; false once a write has failed.
bool FdOutput::Buffer::WriteOut() {
  if (error_ != 0) return false;
  std::string_view bytes(pbase(), static_cast<std::size_t>(pptr() - pbase()));
  setp(bytes_, bytes_ + sizeof bytes_);
  if (WriteAll(fd_, bytes)) return true;
  error_ = errno;
  return false;
}

}  // namespace lorvan
