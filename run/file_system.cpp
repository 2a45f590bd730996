#include "run/file_system.h"

#include "common/text_file.h"

namespace lorvan {

Status DiskFileSystem::Read(const std::string& path, std::string* bytes) {
  return ReadFileBytes(path, bytes);
}

Status DiskFileSystem::Write(const std::string& path, std::string_view bytes) {
  return WriteFileBytes(path, bytes);
}

Status DiskFileSystem::Replace(const std::string& path, std::string_view bytes) {
  return ReplaceFileAtomically(path, bytes);
}

void DiskFileSystem::RemoveStaleTemporaries(const std::string& folder) {
  lorvan::RemoveStaleTemporaries(folder);
}

}  // namespace lorvan
