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

}  // namespace
}  // namespace lorvan
