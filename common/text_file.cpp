#include "common/text_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <cstring>

namespace lorvan {

bool WriteAll(int fd, std::string_view bytes) {
  while (!bytes.empty()) {
    ssize_t n = ::write(fd, bytes.data(), bytes.size());
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) {
      if (n == 0) errno = EIO;
      return false;
    }
    bytes.remove_prefix(static_cast<std::size_t>(n));
  }
  return true;
}

std::string JoinPath(const std::string& folder, const std::string& name) {
  if (folder.empty() || folder.back() == '/') return folder + name;
  return folder + "/" + name;
}

namespace {

// Opens the regular file at path for reading into *fd; *info is its status.
Status OpenRegular(const std::string& path, int* fd, struct stat* info) {
  // Without O_NONBLOCK opening a named pipe would wait for a writer; reads of a regular file
  // are not affected by it.
  *fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
  if (*fd < 0) return Status::FromErrno(errno, path);
  if (::fstat(*fd, info) != 0) {
    int error = errno;
    ::close(*fd);
    *fd = -1;
    return Status::FromErrno(error, path);
  }
  if (!S_ISREG(info->st_mode)) {
    // A device such as /dev/zero would never end; a pipe or socket is no file to translate.
    ::close(*fd);
    *fd = -1;
    return S_ISDIR(info->st_mode) ? Status::FromErrno(EISDIR, path)
                                  : Status::Other(path + ": not a regular file");
  }
  return Status::Ok();
}

}  // namespace

InputFile::~InputFile() {
  if (fd_ >= 0) ::close(fd_);
}

Status InputFile::Open(const std::string& path) {
  if (fd_ >= 0) ::close(fd_);
  path_ = path;
  struct stat info;
  Status status = OpenRegular(path, &fd_, &info);
  size_ = status.ok() ? static_cast<std::int64_t>(info.st_size) : 0;
  return status;
}

Status InputFile::ReadAt(std::int64_t offset, std::size_t count, std::string* bytes) const {
  bytes->resize(count);  // fills only what it grows by: little for a buffer reused for blocks
  std::size_t got = 0;
  Status status = ReadInto(offset, count, bytes->data(), &got);
  bytes->resize(got);
  return status;
}

Status InputFile::AppendAt(std::int64_t offset, std::size_t count, std::string* bytes) const {
  const std::size_t had = bytes->size();
  bytes->resize(had + count);
  std::size_t got = 0;
  Status status = ReadInto(offset, count, bytes->data() + had, &got);
  bytes->resize(had + got);
  return status;
}

Status InputFile::ReadInto(std::int64_t offset, std::size_t count, char* to,
                           std::size_t* got) const {
  while (*got < count) {
    ssize_t n = ::pread(fd_, to + *got, count - *got, static_cast<off_t>(offset + *got));
    if (n == 0) break;
    if (n < 0) {
      if (errno == EINTR) continue;
      return Status::FromErrno(errno, path_);
    }
    *got += static_cast<std::size_t>(n);
  }
  return Status::Ok();
}

Status ReadFileBytes(const std::string& path, std::string* bytes) {
  bytes->clear();
  int fd;
  struct stat info;
  Status opened = OpenRegular(path, &fd, &info);
  if (!opened.ok()) return opened;
  bytes->reserve(static_cast<std::size_t>(info.st_size));  // one allocation, no doubling
  char buffer[1 << 16];
  for (;;) {
    ssize_t n = ::read(fd, buffer, sizeof buffer);
    if (n == 0) break;
    if (n < 0) {
      if (errno == EINTR) continue;
      int error = errno;
      ::close(fd);
      return Status::FromErrno(error, path);
    }
    bytes->append(buffer, static_cast<std::size_t>(n));
  }
  ::close(fd);
  return Status::Ok();
}

Status WriteFileBytes(const std::string& path, std::string_view bytes) {
  int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
  if (fd < 0) return Status::FromErrno(errno, path);
  bool written = WriteAll(fd, bytes);
  int error = errno;
  if (::close(fd) != 0 && written) {
    written = false;
    error = errno;
  }
  return written ? Status::Ok() : Status::FromErrno(error, path);
}

std::string CrLfToLf(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (std::size_t i = 0; i < text.size(); ++i)
    if (text[i] != '\r' || i + 1 == text.size() || text[i + 1] != '\n') out += text[i];
  return out;
}

FinalLfSplit SplitFinalLf(std::string_view text) {
  const bool lone_lf = !text.empty() && text.back() == '\n' &&
                       (text.size() == 1 || text[text.size() - 2] != '\r');
  if (!lone_lf) return {text, false};
  text.remove_suffix(1);
  return {text, text.empty() || text.ends_with("\r\n")};
}

bool LineReader::Next(std::string_view* line) {
  if (pos_ >= text_.size()) return false;
  std::size_t end = text_.find('\r', pos_);
  if (end == std::string_view::npos) {
    *line = text_.substr(pos_);
    pos_ = text_.size();
    return true;
  }
  *line = text_.substr(pos_, end - pos_);
  pos_ = end + 1;
  if (pos_ < text_.size() && text_[pos_] == '\n') ++pos_;
  return true;
}

LineEndReader::LineEndReader(std::string_view text)
    : text_(text), next_cr_(Find('\r')), next_lf_(Find('\n')) {}

std::size_t LineEndReader::Find(char c) const {
  if (pos_ >= text_.size()) return std::string_view::npos;
  const void* found = std::memchr(text_.data() + pos_, c, text_.size() - pos_);
  return found == nullptr ? std::string_view::npos
                          : static_cast<std::size_t>(static_cast<const char*>(found) - text_.data());
}

std::size_t CompleteLinesEnd(std::string_view text, std::size_t from) {
  for (std::size_t i = text.size(); i-- > from;)
    if (text[i] == '\n' || (text[i] == '\r' && i + 1 < text.size())) return i + 1;
  return 0;
}

std::string_view LineEndBefore(std::string_view text, std::size_t cut) {
  if (text[cut - 1] == '\r') return "\r";
  return cut >= 2 && text[cut - 2] == '\r' ? "\r\n" : "\n";
}

std::size_t LineEndReader::NextOf(char c, std::size_t* cached) {
  if (*cached < pos_) *cached = Find(c);  // npos is never below pos_
  return *cached;
}

bool LineEndReader::Next(std::string_view* line, std::string_view* end) {
  if (pos_ >= text_.size()) return false;
  const std::size_t stop = std::min(NextOf('\r', &next_cr_), NextOf('\n', &next_lf_));
  if (stop == std::string_view::npos) {
    *line = text_.substr(pos_);
    *end = {};
    pos_ = text_.size();
    return true;
  }
  std::size_t end_size = text_[stop] == '\r' && stop + 1 < text_.size() && text_[stop + 1] == '\n' ? 2 : 1;
  *line = text_.substr(pos_, stop - pos_);
  *end = text_.substr(stop, end_size);
  pos_ = stop + end_size;
  return true;
}

}  // namespace lorvan
