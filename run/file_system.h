// The file operations of a run, behind an interface so that tests can make them fail.
#pragma once

#include <string>
#include <string_view>

#include "common/safe_file.h"
#include "common/status.h"
#include "common/text_file.h"

namespace lorvan {

class FileSystem {
 public:
  virtual ~FileSystem() = default;
  // Opens the regular file at path as *file.
  virtual Status Open(const std::string& path, InputFile* file) = 0;
  // kAccessDenied when path is write-protected or its folder lets no file be made.
  virtual Status CheckWritable(const std::string& path) = 0;
  // Begins *file as the new file at path, written whole or not at all (see OutputFile). Called
  // on worker threads too, for files ahead of their turn.
  virtual Status Create(const std::string& path, const WriteOptions& options,
                        OutputFile* file) = 0;
  // Removes the temporary files a killed run left in folder.
  virtual void RemoveStaleTemporaries(const std::string& folder) = 0;
  // Makes folder and the folders above it that do not exist yet.
  virtual Status MakeFolders(const std::string& folder) = 0;
};

// The real file system.
class DiskFileSystem : public FileSystem {
 public:
  Status Open(const std::string& path, InputFile* file) override;
  Status CheckWritable(const std::string& path) override;
  Status Create(const std::string& path, const WriteOptions& options,
                OutputFile* file) override;
  void RemoveStaleTemporaries(const std::string& folder) override;
  Status MakeFolders(const std::string& folder) override;
};

}  // namespace lorvan
