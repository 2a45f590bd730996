#include "browser/file_browser.h"

#include <algorithm>
#include <cerrno>
#include <fstream>
#include <sstream>

#include "common/text_file.h"
#include "run/file_mask.h"
#include "run/folder_reader.h"

namespace lorvan {
namespace {

// Undoes the octal escapes (\040 for a space ...) of a path in /proc/self/mounts.
std::string UnescapeMountPath(const std::string& path) {
  std::string out;
  for (std::size_t i = 0; i < path.size(); ++i) {
    if (path[i] == '\\' && i + 3 < path.size()) {
      int value = 0;
      bool octal = true;
      for (std::size_t k = 1; k <= 3; ++k) {
        char c = path[i + k];
        if (c < '0' || c > '7') octal = false;
        value = value * 8 + (c - '0');
      }
      if (octal) {
        out += static_cast<char>(value);
        i += 3;
        continue;
      }
    }
    out += path[i];
  }
  return out;
}

}  // namespace

Status FileBrowser::Open(const std::string& folder) {
  FolderListing listing;
  Status status = ReadFolder(folder, &listing);
  if (!status.ok()) return status;
  folder_ = folder;
  subfolders_ = std::move(listing.subfolders);
  all_files_ = std::move(listing.files);
  Filter();
  return Status::Ok();
}

Status FileBrowser::Reread() { return Open(folder_); }

void FileBrowser::SetMask(std::string mask) {
  mask_ = std::move(mask);
  Filter();
}

void FileBrowser::Filter() {
  files_.clear();
  for (const std::string& name : all_files_)
    if (MatchesMask(name, mask_)) files_.push_back({name, false});
  focused_ = files_.empty() ? -1 : 0;
  anchor_ = 0;
}

std::string FileBrowser::PathOf(const std::string& name) const { return JoinPath(folder_, name); }

std::string FileBrowser::CurrentFileName() const {
  return focused_ < 0 ? std::string() : files_[static_cast<std::size_t>(focused_)].name;
}

void FileBrowser::SetSelected(int index, bool selected) {
  if (index < 0 || index >= static_cast<int>(files_.size())) return;
  files_[static_cast<std::size_t>(index)].selected = selected;
}

void FileBrowser::Click(int index, ClickKind kind) {
  if (index < 0 || index >= static_cast<int>(files_.size())) return;
  switch (kind) {
    case ClickKind::kPlain:
      for (FileEntry& f : files_) f.selected = false;
      files_[static_cast<std::size_t>(index)].selected = true;
      anchor_ = index;
      break;
    case ClickKind::kToggle:
      files_[static_cast<std::size_t>(index)].selected ^= true;
      anchor_ = index;
      break;
    case ClickKind::kExtend:
      for (FileEntry& f : files_) f.selected = false;
      for (int i = std::min(anchor_, index); i <= std::max(anchor_, index); ++i)
        files_[static_cast<std::size_t>(i)].selected = true;
      break;
  }
  focused_ = index;
  if (index == last_clicked_index_) {
    files_[static_cast<std::size_t>(index)].selected = false;
    last_clicked_index_ = -1;
  } else {
    files_[static_cast<std::size_t>(index)].selected = true;
    last_clicked_index_ = index;
  }
}

std::vector<std::string> FileBrowser::SelectedNames() const {
  std::vector<std::string> names;
  for (const FileEntry& f : files_)
    if (f.selected) names.push_back(f.name);
  return names;
}

std::vector<std::string> ListDrives() {
  std::vector<std::string> drives = {"/"};
  std::ifstream mounts("/proc/self/mounts");
  std::string line;
  while (std::getline(mounts, line)) {
    std::istringstream fields(line);
    std::string device, mount_point;
    if (!(fields >> device >> mount_point)) continue;
    if (device.rfind("/dev/", 0) != 0) continue;
    drives.push_back(UnescapeMountPath(mount_point));
  }
  std::sort(drives.begin(), drives.end());
  drives.erase(std::unique(drives.begin(), drives.end()), drives.end());
  return drives;
}

}  // namespace lorvan
