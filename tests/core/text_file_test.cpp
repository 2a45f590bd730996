#include "common/text_file.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <string>
#include <vector>

#include "tests/core/temp_dir.h"

namespace lorvan {
namespace {

std::vector<std::string> Lines(std::string_view text) {
  std::vector<std::string> lines;
  LineReader reader(text);
  std::string_view line;
  while (reader.Next(&line)) lines.emplace_back(line);
  return lines;
}

using V = std::vector<std::string>;

TEST(LineReader, EndsLinesAtCrAndCrLfButNotAtLoneLf) {
  EXPECT_EQ(Lines(""), V{});
  EXPECT_EQ(Lines("a"), V{"a"});
  EXPECT_EQ(Lines("a\r\n"), V{"a"});
  EXPECT_EQ(Lines("a\r"), V{"a"});
  EXPECT_EQ(Lines("\r\n"), V{""});
  EXPECT_EQ(Lines("a\r\n\r\nb"), (V{"a", "", "b"}));
  EXPECT_EQ(Lines("a\rb\r\nc"), (V{"a", "b", "c"}));
  EXPECT_EQ(Lines("a\nb\n"), V{"a\nb\n"});
  EXPECT_EQ(Lines("a\n\rb"), (V{"a\n", "b"}));
  EXPECT_EQ(Lines("a\r\r\n"), (V{"a", ""}));
}

TEST(TextFile, WritesReadsAndReplacesFiles) {
  TempDir dir;
  std::string path = dir.path() + "/f.txt";
  std::string bytes;
  EXPECT_EQ(ReadFileBytes(path, &bytes).kind(), ErrorKind::kNotFound);
  ASSERT_TRUE(WriteFileBytes(path, std::string("a\0\xff", 3)).ok());
  ASSERT_TRUE(ReadFileBytes(path, &bytes).ok());
  EXPECT_EQ(bytes, std::string("a\0\xff", 3));
  ASSERT_TRUE(ReplaceFileAtomically(path, "new").ok());
  ASSERT_TRUE(ReadFileBytes(path, &bytes).ok());
  EXPECT_EQ(bytes, "new");
  EXPECT_EQ(dir.List(), std::vector<std::string>{"f.txt"});
  EXPECT_EQ(WriteFileBytes(dir.path() + "/no/such/f.txt", "x").kind(), ErrorKind::kNotFound);

  // A replacement that cannot be renamed into place removes its temporary again.
  ASSERT_TRUE(std::filesystem::create_directory(dir.path() + "/d"));
  ASSERT_TRUE(WriteFileBytes(dir.path() + "/d/inside", "x").ok());
  EXPECT_FALSE(ReplaceFileAtomically(dir.path() + "/d", "new").ok());
  EXPECT_EQ(dir.List(), (std::vector<std::string>{"d", "f.txt"}));
}

// A device would be read without end and a named pipe would wait for a writer.
TEST(TextFile, ReadsOnlyRegularFiles) {
  TempDir dir;
  ASSERT_EQ(::mkfifo((dir.path() + "/pipe").c_str(), 0600), 0);
  std::string bytes;
  for (const std::string& path : {dir.path() + "/pipe", std::string("/dev/zero"), dir.path()}) {
    Status status = ReadFileBytes(path, &bytes);
    EXPECT_EQ(status.kind(), ErrorKind::kOther) << path;
    EXPECT_NE(status.message().find(path + ": "), std::string::npos) << status.message();
  }
}

// A killed same-name run leaves its temporary; the next run removes it, but not the
// temporaries of running processes nor files that only look alike.
TEST(TextFile, RemovesTheTemporariesOfDeadProcessesOnly) {
  TempDir dir;
  pid_t child = ::fork();
  if (child == 0) ::_exit(0);
  ASSERT_GT(child, 0);
  ::waitpid(child, nullptr, 0);  // a process id that runs no more
  const std::string dead = ReplaceTemporaryPath(dir.path() + "/a b.txt", child);
  const std::string alive = ReplaceTemporaryPath(dir.path() + "/c.txt", ::getppid());
  EXPECT_EQ(dead, dir.path() + "/.a b.txt.lorvan-tmp-" + std::to_string(child));
  for (const std::string& path : {dead, alive, dir.path() + "/x.lorvan-tmp-1",
                                  dir.path() + "/.x.lorvan-tmp-1a", dir.path() + "/.x.lorvan-tmp-"})
    ASSERT_TRUE(WriteFileBytes(path, "partial").ok());
  EXPECT_EQ(RemoveStaleTemporaries(dir.path()), 1);
  EXPECT_EQ(dir.List(),
            (std::vector<std::string>{".c.txt.lorvan-tmp-" + std::to_string(::getppid()),
                                      ".x.lorvan-tmp-", ".x.lorvan-tmp-1a", "x.lorvan-tmp-1"}));
  EXPECT_EQ(RemoveStaleTemporaries(dir.path() + "/nowhere"), 0);
}

}  // namespace
}  // namespace lorvan
