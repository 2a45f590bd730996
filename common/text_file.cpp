#include "common/text_file.h"

#include <dirent.h>
#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>

namespace lorvan {
namespace {

// Writes all of bytes to fd, retrying short writes. A write that takes nothing would be
// retried forever: it fails with EIO.
bool WriteAll(int fd, std::string_view bytes) {
  while (!bytes.empty()) {
    ssize_t n = ::write(fd, bytes.data(), bytes.size());
    if (n < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    if (n == 0) {
      errno = EIO;
      return false;
    }
    bytes.remove_prefix(static_cast<std::size_t>(n));
  }
  return true;
}

constexpr std::string_view kTemporaryTag = ".lorvan-tmp-";

// The process id a temporary file name ends with, or 0 when name is no such file's name.
long TemporaryOwner(std::string_view name) {
  std::size_t tag = name.rfind(kTemporaryTag);
  if (name.size() < 2 || name[0] != '.' || tag == std::string_view::npos || tag < 2) return 0;
  std::string_view digits = name.substr(tag + kTemporaryTag.size());
  if (digits.empty() || digits.size() > 9) return 0;
  long pid = 0;
  for (char c : digits) {
    if (c < '0' || c > '9') return 0;
    pid = pid * 10 + (c - '0');
  }
  return pid;
}

bool ProcessRuns(long pid) { return ::kill(static_cast<pid_t>(pid), 0) == 0 || errno == EPERM; }

}  // namespace

std::string ReplaceTemporaryPath(const std::string& path, long pid) {
  std::string::size_type slash = path.rfind('/');
  std::string folder = slash == std::string::npos ? "" : path.substr(0, slash + 1);
  std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
  return folder + "." + name + std::string(kTemporaryTag) + std::to_string(pid);
}

int RemoveStaleTemporaries(const std::string& folder) {
  DIR* dir = ::opendir(folder.empty() ? "." : folder.c_str());
  if (dir == nullptr) return 0;
  int removed = 0;
  while (const dirent* entry = ::readdir(dir)) {
    long pid = TemporaryOwner(entry->d_name);
    if (pid <= 0 || pid == ::getpid() || ProcessRuns(pid)) continue;
    std::string path = JoinPath(folder, entry->d_name);
    struct stat info;
    if (::lstat(path.c_str(), &info) != 0 || !S_ISREG(info.st_mode)) continue;
    if (::unlink(path.c_str()) == 0) ++removed;
  }
  ::closedir(dir);
  return removed;
}

std::string JoinPath(const std::string& folder, const std::string& name) {
  if (folder.empty() || folder.back() == '/') return folder + name;
  return folder + "/" + name;
}

Status ReadFileBytes(const std::string& path, std::string* bytes) {
  bytes->clear();
  // Without O_NONBLOCK opening a named pipe would wait for a writer; reads of a regular file
  // are not affected by it.
  int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
  if (fd < 0) return Status::FromErrno(errno, path);
  struct stat info;
  if (::fstat(fd, &info) != 0) {
    int error = errno;
    ::close(fd);
    return Status::FromErrno(error, path);
  }
  if (!S_ISREG(info.st_mode)) {
    // A device such as /dev/zero would never end; a pipe or socket is no file to translate.
    ::close(fd);
    return S_ISDIR(info.st_mode) ? Status::FromErrno(EISDIR, path)
                                 : Status::Other(path + ": not a regular file");
  }
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

Status ReplaceFileAtomically(const std::string& path, std::string_view bytes) {
  const std::string temp = ReplaceTemporaryPath(path, ::getpid());
  int fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
  if (fd < 0) return Status::FromErrno(errno, path);
  bool written = WriteAll(fd, bytes) && ::fsync(fd) == 0;
  int error = errno;
  if (::close(fd) != 0 && written) {
    written = false;
    error = errno;
  }
  if (written && ::rename(temp.c_str(), path.c_str()) == 0) return Status::Ok();
  if (written) error = errno;
  ::unlink(temp.c_str());
  return Status::FromErrno(error, path);
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

bool LineEndReader::Next(std::string_view* line, std::string_view* end) {
  if (pos_ >= text_.size()) return false;
  std::size_t stop = text_.find_first_of("\r\n", pos_);
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
