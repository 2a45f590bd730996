// A temporary folder for a test, removed with everything in it when the test ends, and its
// files by relative path.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "common/text_file.h"

namespace lorvan {

class TempDir {
 public:
  TempDir() {
    std::string pattern = (std::filesystem::temp_directory_path() / "lorvan-test-XXXXXX").string();
    path_ = ::mkdtemp(pattern.data());
  }
  ~TempDir() { std::filesystem::remove_all(path_); }
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;

  const std::string& path() const { return path_; }
  std::string Path(const std::string& relative) const { return path_ + "/" + relative; }

  // Writes bytes to the file at relative, making the folders on the way.
  void Put(const std::string& relative, std::string_view bytes) const {
    std::filesystem::create_directories(std::filesystem::path(Path(relative)).parent_path());
    ASSERT_TRUE(WriteFileBytes(Path(relative), bytes).ok()) << relative;
  }
  // The bytes of the file at relative (a failure when it cannot be read).
  std::string Get(const std::string& relative) const {
    std::string bytes;
    EXPECT_TRUE(ReadFileBytes(Path(relative), &bytes).ok()) << relative;
    return bytes;
  }
  // True when an entry, a dangling link too, is at relative.
  bool Exists(const std::string& relative) const {
    return std::filesystem::exists(std::filesystem::symlink_status(Path(relative)));
  }

  // Names of the entries of the folder, sorted.
  std::vector<std::string> List() const {
    std::vector<std::string> names;
    for (const auto& e : std::filesystem::directory_iterator(path_))
      names.push_back(e.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
  }

 private:
  std::string path_;
};

}  // namespace lorvan
