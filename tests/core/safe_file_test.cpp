#include "common/safe_file.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <string>
#include <vector>

#include "common/text_file.h"
#include "tests/core/temp_dir.h"

namespace lorvan {
namespace {

using V = std::vector<std::string>;

class SafeFileTest : public ::testing::Test {
 protected:
  std::string Path(const std::string& name) const { return dir_.Path(name); }
  void Put(const std::string& name, const std::string& bytes, mode_t mode = 0644) {
    ASSERT_TRUE(WriteFileBytes(Path(name), bytes).ok());
    ASSERT_EQ(::chmod(Path(name).c_str(), mode), 0);
  }
  std::string Get(const std::string& name) const { return dir_.Get(name); }
  mode_t Mode(const std::string& name) const {
    struct stat info;
    EXPECT_EQ(::lstat(Path(name).c_str(), &info), 0) << name;
    return info.st_mode & 07777;
  }
  TempDir dir_;
};

TEST_F(SafeFileTest, AnOutputIsWrittenWholeAndNoMoreOpenThanItsInput) {
  Put("secret.txt", "s", 0600);
  Put("victim", "keep");
  ASSERT_EQ(::symlink(Path("victim").c_str(), Path("secret_hr.txt").c_str()), 0);  // planted
  WriteOptions options;
  options.input = Path("secret.txt");
  ASSERT_TRUE(WriteFileWhole(Path("secret_hr.txt"), "new", options).ok());
  EXPECT_EQ(Get("secret_hr.txt"), "new");
  EXPECT_EQ(Mode("secret_hr.txt"), 0600u);  // a regular file now, the link replaced
  EXPECT_EQ(Get("victim"), "keep");

  std::filesystem::create_directory(Path("d"));
  EXPECT_FALSE(WriteFileWhole(Path("d"), "x").ok());  // cannot be renamed into place
  EXPECT_EQ(dir_.List(), (V{"d", "secret.txt", "secret_hr.txt", "victim"}));
}

TEST_F(SafeFileTest, AReplacedInputKeepsItsModeAndItsBackup) {
  Put("run.sh", "old", 0750);
  WriteOptions options{.input = Path("run.sh"), .replaces_input = true, .backup = Path("run.sh~")};
  ASSERT_TRUE(WriteFileWhole(Path("run.sh"), "new", options).ok());
  EXPECT_EQ(Get("run.sh"), "new");
  EXPECT_EQ(Get("run.sh~"), "old");
  EXPECT_EQ(Mode("run.sh"), 0750u);

  // Replacing a file with other names, or a link, would cut it off from them: it is left.
  ASSERT_EQ(::link(Path("run.sh").c_str(), Path("other").c_str()), 0);
  ASSERT_EQ(::symlink("run.sh~", Path("link").c_str()), 0);
  for (const char* name : {"run.sh", "link"}) {
    options = {.input = Path(name), .replaces_input = true, .backup = ""};
    EXPECT_EQ(WriteFileWhole(Path(name), "x", options).kind(), ErrorKind::kLeft) << name;
  }
  EXPECT_EQ(Get("other"), "new");
  EXPECT_EQ(dir_.List(), (V{"link", "other", "run.sh", "run.sh~"}));
}

TEST_F(SafeFileTest, WriteProtectionIsSeenEvenByRoot) {
  Put("ro.txt", "x", 0444);
  Put("rw.txt", "x", 0644);
  ASSERT_EQ(::symlink(Path("ro.txt").c_str(), Path("link").c_str()), 0);
  std::filesystem::create_directory(Path("d"));
  EXPECT_EQ(CheckWritable(Path("ro.txt")).kind(), ErrorKind::kAccessDenied);
  EXPECT_TRUE(CheckWritable(Path("rw.txt")).ok());
  EXPECT_TRUE(CheckWritable(Path("link")).ok());  // a write replaces the link
  EXPECT_TRUE(CheckWritable(Path("new.txt")).ok());
  EXPECT_FALSE(CheckWritable(Path("d")).ok());
}

// A killed run leaves its temporary unlocked; the next run removes it, but not a temporary
// a running writer holds, nor files that only look alike.
TEST_F(SafeFileTest, RemovesTheTemporariesNoWriterHolds) {
  for (const char* name : {".lorvan-dead01", ".lorvan-alive1", ".lorvan-x", "lorvan-abcdef"})
    Put(name, "partial");
  int held = ::open(Path(".lorvan-alive1").c_str(), O_RDONLY);
  ASSERT_EQ(::flock(held, LOCK_EX), 0);
  EXPECT_EQ(RemoveStaleTemporaries(dir_.path()), 1);
  EXPECT_EQ(dir_.List(), (V{".lorvan-alive1", ".lorvan-x", "lorvan-abcdef"}));
  ::close(held);
  EXPECT_EQ(RemoveStaleTemporaries(dir_.path() + "/nowhere"), 0);
}

}  // namespace
}  // namespace lorvan
