#include "encoding/paragraphs.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <string>

#include "common/text_file.h"
#include "tests/core/temp_dir.h"

namespace lorvan {
namespace {

struct Case {
  std::string input, expected;
};

TEST(MakeWorkingCopy, LineEnds) {
  const Case cases[] = {
      {"", ""},
      {"a", "a\r\n"},
      {"a\r\nb\rc", "a\r\nb\r\nc\r\n"},
      {"a\nb", "a\rb\r\n"},
      // A final lone LF ends the last line.
      {"a\n", "a\r\n"},
      {"a\n\n", "a\r\r\n"},
      {"\n", "\r\n"},
      {"a\r\n\n", "a\r\n\r\n"},
      {"a\r\n", "a\r\n"},
      {"a\r", "a\r\n"},
  };
  for (const Case& c : cases) EXPECT_EQ(MakeWorkingCopy(c.input, false), c.expected) << c.input;
}

TEST(MakeWorkingCopy, ParagraphSplitting) {
  const Case cases[] = {
      {"A</p><p>B", "A</p>\r\n<p>B\r\n"},
      {"A</P><P>B", "A</p>\r\n<P>B\r\n"},
      {"</p></p><p>", "</p>\r\n</p><p>\r\n"},
      {"</p> <p>", "</p> <p>\r\n"},
      {"A</p>\r<p>", "A</p>\r\n<p>\r\n"},
      {"</p>\n<p>", "</p>\r<p>\r\n"},
      {"</p><", "</p>\r\n<\r\n"},
  };
  for (const Case& c : cases) EXPECT_EQ(MakeWorkingCopy(c.input, true), c.expected) << c.input;
  EXPECT_EQ(MakeWorkingCopy("A</p><p>B", false), "A</p><p>B\r\n");
}

class SplitParagraphsTest : public ::testing::Test {
 protected:
  std::string Write(const std::string& name, const std::string& bytes) {
    std::string path = dir_.path() + "/" + name;
    EXPECT_TRUE(WriteFileBytes(path, bytes).ok());
    return path;
  }
  std::string Read(const std::string& path) {
    std::string bytes;
    EXPECT_TRUE(ReadFileBytes(path, &bytes).ok());
    return bytes;
  }
  TempDir dir_;
};

TEST_F(SplitParagraphsTest, WritesTheWorkingCopyAndItsSize) {
  const struct {
    std::string input;
    std::int64_t size;
  } cases[] = {{"", 0}, {"0123456789\r\n\r\nabcde\r\n", 21}, {"0123456789\r\n\r\nabcde", 21}};
  for (const auto& c : cases) {
    std::string in = Write("in.txt", c.input);
    std::int64_t size = -1;
    ASSERT_TRUE(SplitParagraphs(in, dir_.path() + "/out.txt", true, &size).ok());
    EXPECT_EQ(size, c.size);
    EXPECT_EQ(Read(dir_.path() + "/out.txt"), MakeWorkingCopy(c.input, true));
  }
}

TEST_F(SplitParagraphsTest, ReplacesTheInputWhenBothPathsAreTheSame) {
  std::string path = Write("page.htm", "a\nb</p><p>c");
  std::int64_t size = 0;
  ASSERT_TRUE(SplitParagraphs(path, dir_.path() + "/./page.htm", true, &size).ok());
  EXPECT_EQ(Read(path), "a\rb</p>\r\n<p>c\r\n");
  EXPECT_EQ(size, 15);
  EXPECT_EQ(dir_.List(), std::vector<std::string>{"page.htm"});
}

TEST_F(SplitParagraphsTest, ReportsMissingAndWriteProtectedFiles) {
  std::int64_t size = 0;
  std::string missing = dir_.path() + "/missing.txt";
  EXPECT_EQ(SplitParagraphs(missing, dir_.path() + "/o.txt", false, &size).kind(),
            ErrorKind::kNotFound);
  if (::geteuid() == 0) GTEST_SKIP() << "permissions do not hold for root";
  std::string path = Write("ro.txt", "text");
  ASSERT_EQ(::chmod(path.c_str(), 0444), 0);
  EXPECT_EQ(SplitParagraphs(path, path, false, &size).kind(), ErrorKind::kAccessDenied);
  EXPECT_EQ(Read(path), "text");
}

}  // namespace
}  // namespace lorvan
