#include "common/safe_file.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <random>
#include <utility>

#include "common/text_file.h"

namespace lorvan {
namespace {

constexpr std::string_view kTemporaryPrefix = ".lorvan-";
constexpr std::size_t kRandomLetters = 6;

std::string FolderOf(const std::string& path) {
  std::size_t slash = path.rfind('/');
  if (slash == std::string::npos) return ".";
  return slash == 0 ? "/" : path.substr(0, slash);
}

// True when name has the form of a temporary: ".lorvan-" and six letters or digits.
bool IsTemporaryName(std::string_view name) {
  if (!name.starts_with(kTemporaryPrefix) ||
      name.size() != kTemporaryPrefix.size() + kRandomLetters)
    return false;
  for (char c : name.substr(kTemporaryPrefix.size()))
    if (!std::isalnum(static_cast<unsigned char>(c))) return false;
  return true;
}

// A new name for a temporary in folder.
std::string TemporaryName(const std::string& folder) {
  static constexpr char kLetters[] =
      "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
  thread_local std::mt19937_64 random{std::random_device{}()};  // temporaries made on many threads
  std::string name = JoinPath(folder, std::string(kTemporaryPrefix));
  for (std::size_t i = 0; i < kRandomLetters; ++i) name += kLetters[random() % (sizeof kLetters - 1)];
  return name;
}

// Tries make(name) with new temporary names in folder until one is free; *name is the one it
// took. make returns false with errno set when it fails; EEXIST means the name was taken.
template <typename Make>
Status ClaimTemporaryName(const std::string& folder, const std::string& error_path,
                          std::string* name, Make make) {
  for (int attempt = 0; attempt < 100; ++attempt) {
    *name = TemporaryName(folder);
    if (make(*name)) return Status::Ok();
    if (errno != EEXIST) return Status::FromErrno(errno, error_path);
  }
  return Status::FromErrno(EEXIST, error_path);
}

// Makes a new empty file under a temporary name in folder, locked; *fd is its descriptor.
Status CreateTemporary(const std::string& folder, std::string* name, int* fd) {
  return ClaimTemporaryName(folder, JoinPath(folder, "."), name, [fd](const std::string& temp) {
    *fd = ::open(temp.c_str(), O_RDWR | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600);
    if (*fd < 0) return false;
    ::flock(*fd, LOCK_EX);
    return true;
  });
}

// Gives another name under a temporary name in folder to the file at path; *name is it.
Status LinkTemporary(const std::string& path, const std::string& folder, std::string* name) {
  return ClaimTemporaryName(folder, path, name, [&path](const std::string& temp) {
    return ::link(path.c_str(), temp.c_str()) == 0;
  });
}

mode_t Umask() {
  static const mode_t mask = [] {
    mode_t old = ::umask(022);
    ::umask(old);
    return old;
  }();
  return mask;
}

// Gives the new file fd its permissions (and owner) by options.
Status TakeMetadata(int fd, const WriteOptions& options, const std::string& path) {
  mode_t mode = 0666 & ~Umask();
  if (!options.input.empty()) {
    struct stat input;
    if (::stat(options.input.c_str(), &input) != 0) return Status::FromErrno(errno, options.input);
    if (options.replaces_input) {
      // Owner and group where permitted (as root, or a group of ours); set before the mode,
      // which a change of owner may clear.
      if (::fchown(fd, input.st_uid, input.st_gid) != 0) (void)::fchown(fd, -1, input.st_gid);
      mode = input.st_mode & 07777;
    } else {
      mode &= input.st_mode;
    }
  }
  if (::fchmod(fd, mode) != 0) return Status::FromErrno(errno, path);
  return Status::Ok();
}

// Refuses to replace an input that is a link, or a file with other hard links.
Status CheckReplaceable(const std::string& path) {
  struct stat info;
  if (::lstat(path.c_str(), &info) != 0) return Status::FromErrno(errno, path);
  if (S_ISLNK(info.st_mode))
    return Status::Left(path + ": is a symbolic link; left unchanged");
  if (info.st_nlink > 1)
    return Status::Left(path + ": has " + std::to_string(info.st_nlink - 1) +
                        " other hard link(s); left unchanged");
  return Status::Ok();
}

}  // namespace

OutputFile::~OutputFile() {
  if (fd_ >= 0) Discard(Status::Ok());
}

OutputFile::OutputFile(OutputFile&& other) noexcept { *this = std::move(other); }

OutputFile& OutputFile::operator=(OutputFile&& other) noexcept {
  if (this == &other) return *this;
  if (fd_ >= 0) Discard(Status::Ok());
  path_ = std::move(other.path_);
  options_ = std::move(other.options_);
  temp_ = std::move(other.temp_);
  fd_ = std::exchange(other.fd_, -1);
  synced_ = other.synced_;
  return *this;
}

Status OutputFile::Begin(const std::string& path, const WriteOptions& options) {
  if (options.replaces_input) {
    Status replaceable = CheckReplaceable(path);
    if (!replaceable.ok()) return replaceable;
  }
  path_ = path;
  options_ = options;
  synced_ = false;
  return CreateTemporary(FolderOf(path), &temp_, &fd_);
}

Status OutputFile::Append(std::string_view bytes) {
  synced_ = false;
  if (!WriteAll(fd_, bytes)) return Discard(Status::FromErrno(errno, path_));
  return Status::Ok();
}

Status OutputFile::Sync() {
  if (::fsync(fd_) != 0) return Discard(Status::FromErrno(errno, path_));
  synced_ = true;
  return Status::Ok();
}

Status OutputFile::Commit() {
  Status status;
  std::string backup_temp;
  if (!synced_ && ::fsync(fd_) != 0) status = Status::FromErrno(errno, path_);
  if (status.ok()) status = TakeMetadata(fd_, options_, path_);
  if (status.ok() && options_.replaces_input && !options_.backup.empty()) {
    status = LinkTemporary(path_, FolderOf(path_), &backup_temp);
    if (status.ok() && ::rename(backup_temp.c_str(), options_.backup.c_str()) != 0)
      status = Status::FromErrno(errno, options_.backup);
  }
  if (status.ok() && ::rename(temp_.c_str(), path_.c_str()) != 0)
    status = Status::FromErrno(errno, path_);
  if (!status.ok()) {
    if (!backup_temp.empty()) ::unlink(backup_temp.c_str());
    return Discard(status);
  }
  const int fd = fd_;
  fd_ = -1;
  if (::close(fd) != 0) return Status::FromErrno(errno, path_);
  return Status::Ok();
}

Status OutputFile::Discard(Status failed) {
  ::unlink(temp_.c_str());
  ::close(fd_);
  fd_ = -1;
  return failed;
}

Status WriteFileWhole(const std::string& path, std::string_view bytes,
                      const WriteOptions& options) {
  OutputFile file;
  Status status = file.Begin(path, options);
  if (status.ok()) status = file.Append(bytes);
  if (status.ok()) status = file.Commit();
  return status;
}

Status CheckWritable(const std::string& path) {
  struct stat info;
  if (::lstat(path.c_str(), &info) == 0) {
    if (S_ISDIR(info.st_mode)) return Status::FromErrno(EISDIR, path);
    if (!S_ISLNK(info.st_mode) &&
        (::access(path.c_str(), W_OK) != 0 || (info.st_mode & 0222) == 0))
      return Status::AccessDenied(path + ": write-protected");
  } else if (errno != ENOENT) {
    return Status::FromErrno(errno, path);
  }
  const std::string folder = FolderOf(path);
  if (::access(folder.c_str(), W_OK | X_OK) != 0) return Status::FromErrno(errno, folder);
  return Status::Ok();
}

int RemoveStaleTemporaries(const std::string& folder) {
  DIR* dir = ::opendir(folder.empty() ? "." : folder.c_str());
  if (dir == nullptr) return 0;
  int removed = 0;
  while (const dirent* entry = ::readdir(dir)) {
    if (!IsTemporaryName(entry->d_name)) continue;
    const std::string path = JoinPath(folder, entry->d_name);
    int fd = ::open(path.c_str(), O_RDONLY | O_NOFOLLOW | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0) continue;
    struct stat info;
    // A temporary no process holds locked is one whose writer was killed.
    if (::fstat(fd, &info) == 0 && S_ISREG(info.st_mode) && info.st_nlink == 1 &&
        ::flock(fd, LOCK_EX | LOCK_NB) == 0 && ::unlink(path.c_str()) == 0)
      ++removed;
    ::close(fd);
  }
  ::closedir(dir);
  return removed;
}

}  // namespace lorvan
