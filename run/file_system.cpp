#include "run/file_system.h"

#include <filesystem>

#include "common/text_file.h"

namespace lorvan {

Status DiskFileSystem::Open(const std::string& path, InputFile* file) {
  return file->Open(path);
}

Status DiskFileSystem::CheckWritable(const std::string& path) {
  return lorvan::CheckWritable(path);
}

Status DiskFileSystem::Create(const std::string& path, const WriteOptions& options,
                              OutputFile* file) {
  return file->Begin(path, options);
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
