#include "cli/stream_filter.h"

#include <poll.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <memory>
#include <mutex>
#include <new>
#include <vector>

#include "common/text_file.h"
#include "encoding/cyrillic.h"
#include "encoding/paragraphs.h"
#include "run/file_text.h"
#include "run/ordered_workers.h"

namespace lorvan {
namespace {

constexpr int kPauseMilliseconds = 10;
constexpr std::size_t kLeastReadBytes = 64 << 10;
constexpr std::size_t kMostReadBytes = 1 << 20;

// Passes every complete line of text to filter, which appends their output to *out, and returns
// where the first unfinished line starts; at_end, every line is complete. Everything before
// search_from is known to hold no line end.
std::size_t FilterCompleteLines(std::string_view text, std::size_t search_from, bool at_end,
                                const LineFilter& filter, StreamState& state, std::string* out) {
  const std::size_t complete = at_end ? text.size() : CompleteLinesEnd(text, search_from);
  LineEndReader reader(text.substr(0, complete));
  std::string_view line, end;
  while (reader.Next(&line, &end)) filter(line, end, state, out);
  return complete;
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
  void Write(std::string_view result, std::string_view end, std::string* out) {
    if (format_.byte_exact) {
      out->append(result).push_back('\n');
      return;
    }
    if (format_.encoding == TextEncoding::kUtf8) {
      encoded_.clear();
      KeptCharacters::Cursor cursor = kept_.Begin();
      EncodeUtf8(result, &cursor, &encoded_);
      result = encoded_;
    }
    out->append(result).append(OutputLineEnd(end, format_.line_ends));
  }

 private:
  const StreamFormat format_;
  const bool cyrillic_;
  std::string decoded_, encoded_;
  KeptCharacters kept_;
};

// A run of lines of the stream, cut after a line end unless it is the input's last.
struct Chunk {
  std::string text;
  std::string last_end;  // the end of the line before it
};

// A chunk translated ahead of its turn from the neutral state.
struct ChunkDone {
  Chunk chunk;  // kept to be translated again
  std::string output;
  StreamState end;  // where its lines leave the translation
  bool translated = false;
};

// Strings given back once their chunk is written, to be filled again: the buffers of a chunk
// are then not taken from the system, page by page, anew for every chunk.
class SpareStrings {
 public:
  // A spare string, emptied, or a new one.
  std::string Take() {
    std::lock_guard<std::mutex> lock(mutex_);
    if (spare_.empty()) return {};
    std::string taken = std::move(spare_.back());
    spare_.pop_back();
    taken.clear();
    return taken;
  }
  void Give(std::string text) {
    std::lock_guard<std::mutex> lock(mutex_);
    spare_.push_back(std::move(text));
  }

 private:
  std::mutex mutex_;
  std::vector<std::string> spare_;  // guarded by mutex_
};

ChunkDone TranslateAhead(Chunk chunk, const LineFilter& filter, SpareStrings& spare) {
  ChunkDone done;
  try {
    done.output = spare.Take();
    done.end.last_end = chunk.last_end;
    FilterCompleteLines(chunk.text, 0, /*at_end=*/true, filter, done.end, &done.output);
    done.translated = true;
  } catch (const std::bad_alloc&) {
    std::string().swap(done.output);  // translated again in its turn
  }
  done.chunk = std::move(chunk);
  return done;
}

// The input read and not yet cut into chunks, and where its complete lines end.
class ChunkCutter {
 public:
  explicit ChunkCutter(std::string text) : text_(std::move(text)) { FindComplete(0); }

  void Append(std::string_view bytes) {
    // A CR that was the last byte may end a line now that its next byte is here.
    const std::size_t from = text_.empty() ? 0 : text_.size() - 1;
    text_.append(bytes);
    FindComplete(from);
  }
  std::size_t size() const { return text_.size(); }
  bool empty() const { return text_.empty(); }
  bool has_complete_lines() const { return complete_ > 0; }

  // The next chunk: the complete lines up to about limit bytes (the first line, when it is
  // longer), or up to the end when the input has ended. What is left goes on in spare.
  // REQUIRES: at_end or has_complete_lines().
  Chunk Cut(bool at_end, std::size_t limit, std::string spare) {
    std::size_t cut = at_end ? text_.size() : complete_;
    if (cut > limit) {
      const std::string_view text(text_);
      cut = CompleteLinesEnd(text.substr(0, limit), 0);
      if (cut == 0) {  // the first line end, wherever it is
        const std::size_t end = text.find_first_of("\r\n");
        cut = end == std::string_view::npos ? text.size()
                                            : end + (text.substr(end, 2) == "\r\n" ? 2 : 1);
      }
    }
    Chunk chunk{std::move(text_), last_end_};
    text_ = std::move(spare);
    text_.assign(chunk.text, cut);
    chunk.text.resize(cut);
    if (cut > 0 && (chunk.text.back() == '\r' || chunk.text.back() == '\n'))
      last_end_ = LineEndBefore(chunk.text, cut);
    complete_ = complete_ > cut ? complete_ - cut : 0;
    return chunk;
  }

 private:
  void FindComplete(std::size_t from) {
    complete_ = std::max(complete_, CompleteLinesEnd(text_, std::max(from, complete_)));
  }

  std::string text_;
  std::size_t complete_ = 0;     // the end of its complete lines
  std::string last_end_ = "\n";  // of the line before text_
};

// True when nothing comes on in_fd for a moment: the input comes slower than it is translated.
bool Pauses(int in_fd) {
  pollfd wait{in_fd, POLLIN, 0};
  return ::poll(&wait, 1, kPauseMilliseconds) == 0;
}

}  // namespace

LineFilter TranslatingFilter(LineTranslator& translator, bool paragraphs, bool cyrillic,
                             const StreamFormat& format) {
  auto codec = std::make_shared<LineCodec>(format, cyrillic);
  auto result = std::make_shared<std::string>();
  return [&translator, paragraphs, format, codec, result](
             std::string_view line, std::string_view end, StreamState& state, std::string* out) {
    const std::string_view text = codec->Decode(line);
    // The pieces of a paragraph-split line end as the line does (a last line without an end: as
    // the line before it).
    const std::string_view piece_end = format.byte_exact ? std::string_view("\n")
                                       : end.empty()     ? std::string_view(state.last_end)
                                                         : end;
    if (!end.empty()) state.last_end.assign(end);
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
      result->append(translator.Translate(piece, state.pass));
    });
    codec->Write(*result, end, out);
  };
}

LineFilter ConvertingFilter(const StreamFormat& format) {
  auto codec = std::make_shared<LineCodec>(format, /*cyrillic=*/true);
  return [codec, format, converted = std::string()](std::string_view line, std::string_view end,
                                                    StreamState&, std::string* out) mutable {
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
  StreamState state;
  std::string pending = std::move(prefix);  // input read but not yet passed on as lines
  std::string output;
  // Passes on the complete lines of pending, from search_from on.
  auto pass_on = [&](std::size_t search_from, bool at_end) {
    output.clear();
    pending.erase(0, FilterCompleteLines(pending, search_from, at_end, filter, state, &output));
    out.write(output.data(), static_cast<std::streamsize>(output.size()));
  };
  pass_on(0, false);
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
    pass_on(search_from, false);
  }
  pass_on(0, true);
  out.flush();
  return out ? StreamEnd::kInputEnded : StreamEnd::kWriteFailed;
}

StreamEnd FilterStreamInParallel(int in_fd, std::string prefix, std::ostream& out,
                                 const LineFilter& filter, const StreamJobs& jobs,
                                 const StopFlag& stop) {
  StreamState state;  // where the lines written so far leave the translation
  ChunkCutter cutter(std::move(prefix));
  std::vector<LineFilter> filters;
  SpareStrings spare;
  std::unique_ptr<OrderedWorkers<Chunk, ChunkDone>> workers;
  const std::size_t window = 2 * static_cast<std::size_t>(jobs.threads);
  std::string output;
  auto write = [&](std::string_view bytes) {
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  };
  // Translates chunk here, in its turn.
  auto translate_here = [&](Chunk& chunk) {
    output.clear();
    FilterCompleteLines(chunk.text, 0, /*at_end=*/true, filter, state, &output);
    write(output);
    spare.Give(std::move(chunk.text));
  };
  // Writes the oldest chunk of the workers in its turn.
  auto take_oldest = [&] {
    ChunkDone done = workers->Take();
    if (done.translated && Neutral(state.pass)) {
      write(done.output);
      state = std::move(done.end);
      spare.Give(std::move(done.output));
      spare.Give(std::move(done.chunk.text));
    } else {
      translate_here(done.chunk);
    }
  };
  // Reads of about a chunk keep the chunks' buffers of about that size too.
  std::vector<char> buffer(std::clamp(jobs.chunk_bytes, kLeastReadBytes, kMostReadBytes));
  bool at_end = false;
  for (;;) {
    // A stop passes on the complete lines read before it, as FilterStream does.
    const bool stopping = stop.IsSet();
    if (!out) return StreamEnd::kWriteFailed;
    const bool full = cutter.size() >= jobs.chunk_bytes && cutter.has_complete_lines();
    bool paused = false;
    if (!at_end && !full && !stopping) {
      // Complete lines are passed on before the input is waited for when it pauses.
      paused = cutter.has_complete_lines() && Pauses(in_fd);
      if (!paused) {
        const ssize_t n = ::read(in_fd, buffer.data(), buffer.size());
        if (n < 0 && errno != EINTR) {
          const int error = errno;  // kept for the caller past the workers' end
          workers.reset();
          errno = error;
          return StreamEnd::kReadFailed;
        }
        if (n == 0) at_end = true;
        if (n > 0) cutter.Append(std::string_view(buffer.data(), static_cast<std::size_t>(n)));
        continue;
      }
    }
    if (at_end ? !cutter.empty() : cutter.has_complete_lines()) {
      Chunk chunk = cutter.Cut(at_end, jobs.chunk_bytes, spare.Take());
      if (workers == nullptr && !full) {
        translate_here(chunk);
      } else {
        if (workers == nullptr) {
          for (int t = 0; t < jobs.threads; ++t) filters.push_back(jobs.make_filter());
          workers = std::make_unique<OrderedWorkers<Chunk, ChunkDone>>(
              jobs.threads, [&filters, &spare](Chunk& job, int thread, const std::atomic<bool>&) {
                return TranslateAhead(std::move(job), filters[static_cast<std::size_t>(thread)],
                                      spare);
              });
        }
        workers->Add(std::move(chunk));
      }
    }
    // At most a window of chunks waits; none while the input pauses, after it ended or stopped.
    while (workers != nullptr && workers->waiting() > 0 &&
           (workers->waiting() >= window || paused || at_end || stopping))
      take_oldest();
    if (stopping) return StreamEnd::kStopped;
    if (at_end && cutter.empty()) break;
  }
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
