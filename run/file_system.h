// The file operations of a run, behind an interface so that tests can make them fail.
#pragma once

#include <string>
#include <string_view>

#include "common/safe_file.h"
#include "common/status.h"

namespace lorvan {

class FileSystem {
 public:
  virtual ~FileSystem() = default;
  virtual Status Read(const std::string& path, std::string* bytes) = 0;
  // kAccessDenied when path is write-protected or its folder lets no file be made.
  virtual Status CheckWritable(const std::string& path) = 0;
  // Writes bytes as the file at path, whole or not at all (see WriteFileWhole).
  virtual Status Write(const std::string& path, std::string_view bytes,
                       const WriteOptions& options) = 0;
  // Removes the temporary files a killed run left in folder.
  virtual void RemoveStaleTemporaries(const std::string& folder) = 0;
  // Makes folder and the folders above it that do not exist yet.
  virtual Status MakeFolders(const std::string& folder) = 0;
};

// The real file system.
class DiskFileSystem : public FileSystem {
 public:
  Status Read(const std::string& path, std::string* bytes) override;
  Status CheckWritable(const std::string& path) override;
  Status Write(const std::string& path, std::string_view bytes,
               const WriteOptions& options) override;
  void RemoveStaleTemporaries(const std::string& folder) override;
  Status MakeFolders(const std::string& folder) override;
};

}  // namespace lorvan
