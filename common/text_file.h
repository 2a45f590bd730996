// Reading and writing text files as raw bytes, and splitting text into lines the way the
// translator reads every file: CR LF or a lone CR ends a line, a lone LF does not.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "common/status.h"

namespace lorvan {

// folder and name joined with one "/" (none added after a folder that ends in one).
std::string JoinPath(const std::string& folder, const std::string& name);

// Reads the whole regular file at path into *bytes; a folder, device, pipe or socket is an
// error.
Status ReadFileBytes(const std::string& path, std::string* bytes);

// A regular file open for reading by offset, from any thread.
class InputFile {
 public:
  InputFile() = default;
  ~InputFile();
  InputFile(const InputFile&) = delete;
  InputFile& operator=(const InputFile&) = delete;

  // Opens the regular file at path; a folder, device, pipe or socket is an error.
  Status Open(const std::string& path);

  // Reads up to count bytes at offset into *bytes (replacing them); fewer only at the end of
  // the file.
  Status ReadAt(std::int64_t offset, std::size_t count, std::string* bytes) const;
  // Reads likewise onto the end of *bytes.
  Status AppendAt(std::int64_t offset, std::size_t count, std::string* bytes) const;

  const std::string& path() const { return path_; }
  // The file's size when it was opened.
  std::int64_t size() const { return size_; }

 private:
  // Reads up to count bytes at offset to `to`, adding to *got what it read.
  Status ReadInto(std::int64_t offset, std::size_t count, char* to, std::size_t* got) const;

  int fd_ = -1;
  std::string path_;
  std::int64_t size_ = 0;
};

// Writes all of bytes to the file descriptor fd, retrying short writes; false with errno set
// when a write fails (one that writes nothing fails with EIO).
bool WriteAll(int fd, std::string_view bytes);

// Creates or truncates the file at path and writes bytes into it.
Status WriteFileBytes(const std::string& path, std::string_view bytes);

// text with every CR LF turned into LF, for showing a message where lines end in LF.
std::string CrLfToLf(std::string_view text);

// A file's text split at its very end: a lone LF that is the last byte of a file ends its last
// line and is not part of it. That line is an empty one of its own when the LF follows a CR LF
// or is all of the file.
struct FinalLfSplit {
  std::string_view lines;        // the text the line reader walks
  bool empty_last_line = false;  // one more empty line follows those of lines
};
FinalLfSplit SplitFinalLf(std::string_view text);

// Walks the lines of a text. A line ends at CR, at CR LF, or at the end of the text; a lone LF
// stays part of the line. A text that ends with its line terminator has no empty last line;
// an empty text has no line at all.
class LineReader {
 public:
  explicit LineReader(std::string_view text) : text_(text) {}

  // Stores the next line, without its terminator, in *line; false at the end of the text.
  bool Next(std::string_view* line);

  // True when every line has been read.
  bool AtEnd() const { return pos_ >= text_.size(); }

  // Byte offset of the next unread character.
  std::size_t position() const { return pos_; }

 private:
  std::string_view text_;
  std::size_t pos_ = 0;
};

// Where the lines of text that have surely ended end, looking at or after from (0 when none
// has): after the last LF, or after the last CR that is not the last byte (an LF may still
// follow that one).
std::size_t CompleteLinesEnd(std::string_view text, std::size_t from);
// The line end ("\r", "\r\n" or "\n") that ends just before cut in text. REQUIRES: one does.
std::string_view LineEndBefore(std::string_view text, std::size_t cut);

// Walks the lines of a text together with their ends: LF, CR LF and a lone CR each end one
// line; the last line may have no end. An empty text has no line at all.
class LineEndReader {
 public:
  explicit LineEndReader(std::string_view text);

  // Stores the next line in *line and its end ("\n", "\r\n", "\r", or empty for a last line
  // without one) in *end; false at the end of the text.
  bool Next(std::string_view* line, std::string_view* end);

 private:
  // The first CR and the first LF at or after pos_ (npos when there is none), each searched
  // for again only once the reading has passed it: a text of CR-only lines is read in one
  // sweep for LF, not one per line.
  std::size_t NextOf(char c, std::size_t* cached);
  // The first c at or after pos_, or npos.
  std::size_t Find(char c) const;

  std::string_view text_;
  std::size_t pos_ = 0;
  std::size_t next_cr_;
  std::size_t next_lf_;
};

}  // namespace lorvan
