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
  EXPECT_EQ(WriteFileBytes(dir.path() + "/no/such/f.txt", "x").kind(), ErrorKind::kNotFound);
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

}  // namespace
}  // namespace lorvan
