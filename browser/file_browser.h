// The model of the window's file browser: the current folder with its subfolders, the files
// that match the mask, their selection and the click rule. The window's lists are views over
// it; a run tells the window where it is, and the window moves the browser there.
#pragma once

#include <string>
#include <vector>

#include "common/status.h"

namespace lorvan {

struct FileEntry {
  std::string name;  // bare file name, bytes as the file system gives them
  bool selected = false;
};

// How a click on a file entry was made.
enum class ClickKind {
  kPlain,   // selects that entry alone
  kToggle,  // Ctrl: adds or removes that entry
  kExtend,  // Shift: selects the range from the last plain click to that entry
};

class FileBrowser {
 public:
  FileBrowser() = default;

  // Makes folder the current folder and reads it. On failure the previous folder and its
  // lists stay as they were.
  Status Open(const std::string& folder);
  // Reads the current folder again from disk; the selection is cleared.
  Status Reread();
  // Sets the mask and filters the files again; the selection is cleared.
  void SetMask(std::string mask);

  const std::string& folder() const { return folder_; }
  const std::string& mask() const { return mask_; }
  // Subfolder names of the current folder in list order (dot folders are not listed).
  const std::vector<std::string>& subfolders() const { return subfolders_; }
  // folder() joined with name.
  std::string PathOf(const std::string& name) const;
  // The files of the current folder that match the mask, in list order.
  const std::vector<FileEntry>& files() const { return files_; }

  // The focused entry, -1 when the list is empty.
  int focused() const { return focused_; }
  // Name of the focused entry, empty when there is none.
  std::string CurrentFileName() const;
  void SetSelected(int index, bool selected);

  // A click on entry index: the list's own selection for kind, then the toggle rule: a
  // second click on the entry the last click selected deselects it.
  void Click(int index, ClickKind kind = ClickKind::kPlain);
  int last_clicked_index() const { return last_clicked_index_; }

  // Names of the selected entries, in list order.
  std::vector<std::string> SelectedNames() const;

 private:
  void Filter();

  std::string folder_;
  std::string mask_ = "*.*";
  std::vector<std::string> subfolders_;
  std::vector<std::string> all_files_;  // every file of the folder, in list order
  std::vector<FileEntry> files_;
  int focused_ = -1;
  int anchor_ = 0;
  int last_clicked_index_ = 0;  // survives changes of folder and mask
};

// The mounted volumes the drive list offers: "/" and the mount points of block devices.
std::vector<std::string> ListDrives();

}  // namespace lorvan
