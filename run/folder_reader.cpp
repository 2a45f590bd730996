#include "run/folder_reader.h"

#include <dirent.h>
#include <sys/stat.h>

#include <algorithm>
#include <cerrno>

#include "common/text_file.h"
#include "run/file_mask.h"

namespace lorvan {

Status ReadFolder(const std::string& folder, FolderListing* listing) {
  DIR* dir = ::opendir(folder.c_str());
  if (dir == nullptr) return Status::FromErrno(errno, folder);
  listing->subfolders.clear();
  listing->files.clear();
  listing->links.clear();
  while (const dirent* entry = ::readdir(dir)) {
    std::string name = entry->d_name;
    if (name.empty() || name[0] == '.') continue;
    const std::string path = JoinPath(folder, name);
    struct stat info;
    if (::lstat(path.c_str(), &info) != 0) {
      if (errno != ENAMETOOLONG) continue;  // vanished
      const int error = errno;  // a subtree deeper than paths can name: said, not skipped
      ::closedir(dir);
      return Status::FromErrno(error, path);
    }
    if (S_ISLNK(info.st_mode)) {
      if (::stat(path.c_str(), &info) != 0) continue;  // dangling link
      listing->links.insert(name);
    }
    if (S_ISDIR(info.st_mode)) {
      listing->subfolders.push_back(std::move(name));
    } else if (S_ISREG(info.st_mode)) {
      listing->files.push_back(std::move(name));
    }
  }
  ::closedir(dir);
  std::sort(listing->subfolders.begin(), listing->subfolders.end(), ListOrderLess);
  std::sort(listing->files.begin(), listing->files.end(), ListOrderLess);
  return Status::Ok();
}

Status CheckFolderReadable(const std::string& folder) {
  DIR* dir = ::opendir(folder.c_str());
  if (dir == nullptr) return Status::FromErrno(errno, folder);
  ::closedir(dir);
  return Status::Ok();
}

bool ListOrderLess(const std::string& a, const std::string& b) {
  std::size_t n = std::min(a.size(), b.size());
  for (std::size_t i = 0; i < n; ++i) {
    unsigned char x = FoldAscii(a[i]), y = FoldAscii(b[i]);
    if (x != y) return x < y;
  }
  if (a.size() != b.size()) return a.size() < b.size();
  return a < b;
}

}  // namespace lorvan
