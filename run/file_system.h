// The file operations of a run, behind an interface so that tests can make them fail.
#pragma once

#include <string>
#include <string_view>

#include "common/status.h"

namespace lorvan {

class FileSystem {
 public:
  virtual ~FileSystem() = default;
  virtual Status Read(const std::string& path, std::string* bytes) = 0;
  // Creates or truncates path and writes bytes.
  virtual Status Write(const std::string& path, std::string_view bytes) = 0;
  // Replaces path with bytes all at once (temporary file, then rename).
  virtual Status Replace(const std::string& path, std::string_view bytes) = 0;
  // Removes the temporary files a killed run of Replace left in folder.
  virtual void RemoveStaleTemporaries(const std::string& folder) = 0;
};

// The real file system.
class DiskFileSystem : public FileSystem {
 public:
  Status Read(const std::string& path, std::string* bytes) override;
  Status Write(const std::string& path, std::string_view bytes) override;
  Status Replace(const std::string& path, std::string_view bytes) override;
  void RemoveStaleTemporaries(const std::string& folder) override;
};

}  // namespace lorvan
