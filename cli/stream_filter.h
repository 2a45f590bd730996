// Standard input filtered line by line for the command line's --stdin: translated, or only
// converted from Cyrillic to Latin letters.
#pragma once

#include <cstddef>
#include <functional>
#include <ostream>
#include <string>
#include <string_view>

#include "encoding/utf8_text.h"
#include "engine/folder_pass_state.h"
#include "engine/line_translator.h"
#include "run/run_settings.h"
#include "run/stop_flag.h"

namespace lorvan {

// What a translation carries from one line of the stream to the next.
struct StreamState {
  FolderPassState pass;
  // The end of the last line that had one: the pieces of a paragraph-split last line without an
  // end end as it.
  std::string last_end = "\n";
};

// Appends to *out the output that one input line, without its end, gives, and moves state on
// past it; end is the line's own end ("\n", "\r\n", "\r", or empty for a last line without
// one).
using LineFilter = std::function<void(std::string_view line, std::string_view end,
                                      StreamState& state, std::string* out)>;

// How standard input is read and written.
struct StreamFormat {
  bool byte_exact = false;  // the original byte model: UTF-8 letter forms converted in place
                            // (Cyrillic with the translator's option), every line ends in LF
  TextEncoding encoding = TextEncoding::kWindows1250;  // when not byte_exact
  LineEndChoice line_ends = LineEndChoice::kKeep;     // when not byte_exact
};

// The filter that translates: paragraphs splits lines after closing paragraph tags as files
// are split. cyrillic transliterates Serbian Cyrillic first.
LineFilter TranslatingFilter(LineTranslator& translator, bool paragraphs, bool cyrillic,
                             const StreamFormat& format);

// The filter that only transliterates Serbian Cyrillic to Latin letters, one line for one.
LineFilter ConvertingFilter(const StreamFormat& format);

// An output stream on a file descriptor that keeps why writing failed: the stream goes bad at
// the first write the system refuses, and every later write fails too.
class FdOutput : public std::ostream {
 public:
  explicit FdOutput(int fd);
  ~FdOutput() override;

  // The errno of the failed write, 0 while every write succeeded.
  int error() const { return buffer_.error(); }

 private:
  class Buffer : public std::streambuf {
   public:
    explicit Buffer(int fd);
    int error() const { return error_; }

   protected:
    int_type overflow(int_type c) override;
    int sync() override;

   private:
    bool WriteOut();

    const int fd_;
    int error_ = 0;
    char bytes_[1 << 16];
  };

  Buffer buffer_;
};

// Reads from in_fd until *prefix holds at least size bytes, the input ends or stop is set (a
// signal that sets it ends a read that is waiting); false when reading failed.
bool ReadPrefix(int in_fd, std::size_t size, const StopFlag& stop, std::string* prefix);

// The encoding of an input whose first bytes are prefix (complete when at_end), by choice; the
// auto rule looks at prefix without an unfinished character at its end.
TextEncoding StreamEncoding(std::string_view prefix, bool at_end, EncodingChoice choice);

// Why FilterStream returned.
enum class StreamEnd {
  kInputEnded,   // everything was read and passed on
  kStopped,      // stop was set (a signal that sets it also ends a waiting read)
  kReadFailed,   // reading in_fd failed; errno holds why
  kWriteFailed,  // out went bad; nothing more was read
};

// Passes prefix and then what the file descriptor in_fd delivers through filter, line by line,
// to out. Lines are split as a file's are: CR LF, a lone CR and a lone LF each end one line,
// and the last line needs no end. flush_lines writes each read's lines out at once.
StreamEnd FilterStream(int in_fd, std::string prefix, std::ostream& out, const LineFilter& filter,
                       const StopFlag& stop, bool flush_lines);

// How FilterStreamInParallel shares the work.
struct StreamJobs {
  int threads = 2;
  std::size_t chunk_bytes = 256 << 10;  // lines taken at once by a thread, about
  // Makes the filter of one more thread: the same as the filter given, with scratch of its own.
  std::function<LineFilter()> make_filter;
};

// FilterStream's output, with the lines translated on jobs.threads threads: the input is cut
// after a line end into chunks of about jobs.chunk_bytes, each translated ahead from the
// neutral state and written in its turn when the lines before it ended neutral, and translated
// again by filter on this thread when they did not. An input that comes slower than it is
// translated is passed on as FilterStream passes it, each time it pauses.
StreamEnd FilterStreamInParallel(int in_fd, std::string prefix, std::ostream& out,
                                 const LineFilter& filter, const StreamJobs& jobs,
                                 const StopFlag& stop);

}  // namespace lorvan
