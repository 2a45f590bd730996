// Writing a file whole or not at all, safely also in a folder that another user may write to:
// a new file is made under an unpredictable name without following links, and renamed over
// the final name only once it is complete.
#pragma once

#include <string>
#include <string_view>

#include "common/status.h"

namespace lorvan {

struct WriteOptions {
  // The input the output was made from. The new file is no more open than it: it gets the
  // input's permissions limited by 0666 less the umask. Empty: 0666 less the umask.
  std::string input;
  // The output replaces input itself: it takes the input's permissions and, where the system
  // permits, its owner and group. A link, or a file with other hard links, is left unchanged
  // (an error), since replacing it would cut it off from its other names.
  bool replaces_input = false;
  // With replaces_input and not empty: the original is kept under this name first (a file of
  // that name is replaced).
  std::string backup;
};

// Writes bytes as the file at path: into a new temporary file in path's folder, made with a
// short unpredictable name (".lorvan-XXXXXX") that no link can stand for, locked while written,
// then renamed over path. path holds its old content (or does not exist) until the new one is
// complete; a link at path is replaced, never written through. The temporary is removed again
// when anything fails; only a killed process leaves it, and then unlocked.
Status WriteFileWhole(const std::string& path, std::string_view bytes,
                      const WriteOptions& options = {});

// A file written as WriteFileWhole writes it, in pieces: the temporary is made by Begin, filled
// by Append and renamed into place by Commit. Destroyed before its commit, or after a failure,
// it removes the temporary again and path is left as it was.
class OutputFile {
 public:
  OutputFile() = default;
  ~OutputFile();
  OutputFile(const OutputFile&) = delete;
  OutputFile& operator=(const OutputFile&) = delete;
  // The temporary moves with the object; the one moved from holds none.
  OutputFile(OutputFile&& other) noexcept;
  OutputFile& operator=(OutputFile&& other) noexcept;

  // Makes the temporary for path (after the check of options.replaces_input).
  Status Begin(const std::string& path, const WriteOptions& options);
  // REQUIRES: Begin succeeded, and neither Append, Sync nor Commit failed since.
  Status Append(std::string_view bytes);
  // Waits until what was appended is on the disk, which Commit does first otherwise: the wait
  // can then be had ahead of the commit, on another thread. REQUIRES: as for Append.
  Status Sync();
  // Puts the written file in place of path, with the metadata and backup options ask for.
  // REQUIRES: as for Append.
  Status Commit();

  // True between a successful Begin and the commit or failure.
  bool is_open() const { return fd_ >= 0; }

 private:
  // Closes and removes the temporary; returns failed.
  Status Discard(Status failed);

  std::string path_;
  WriteOptions options_;
  std::string temp_;
  int fd_ = -1;
  bool synced_ = false;  // nothing appended since the last Sync
};

// kAccessDenied when the file at path is write-protected (this user may not write it, or it
// has no write permission at all) or its folder lets no file be made; a folder at path is an
// error of its own. A link at path is no obstacle: a write replaces it.
Status CheckWritable(const std::string& path);

// Removes from folder the temporaries of WriteFileWhole that no process holds locked any more
// (a killed run left them). Returns how many it removed.
int RemoveStaleTemporaries(const std::string& folder);

}  // namespace lorvan
