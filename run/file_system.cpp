#include "run/file_system.h"

#include <filesystem>

#include "common/text_file.h"

namespace lorvan {

Status DiskFileSystem::Read(const std::string& path, std::string* bytes) {
  return ReadFileBytes(path, bytes);
}

Status DiskFileSystem::CheckWritable(const std::string& path) {
  return lorvan::CheckWritable(path);
}

Status DiskFileSystem::Write(const std::string& path, std::string_view bytes,
                             const WriteOptions& options) {
  return WriteFileWhole(path, bytes, options);
}

void DiskFileSystem::RemoveStaleTemporaries(const std::string& folder) {
  lorvan::RemoveStaleTemporaries(folder);
}

Status DiskFileSystem::MakeFolders(const std::string& folder) {
  std::error_code error;
  std::filesystem::create_directories(folder, error);
  return error ? Status::FromErrno(error.value(), folder) : Status::Ok();
}

}  // namespace lorvan
