#include "encoding/paragraphs.h"

#include <gtest/gtest.h>

#include <string>

namespace lorvan {
namespace {

TEST(MakeWorkingCopy, LineEndsAndParagraphs) {
  const struct {
    bool split;
    std::string input, expected;
  } cases[] = {
      {false, "", ""},
      {false, "a\r\nb\rc", "a\r\nb\r\nc\r\n"},
      {false, "a\nb", "a\rb\r\n"},
      // A final lone LF ends the last line.
      {false, "a\n", "a\r\n"},
      {false, "a\n\n", "a\r\r\n"},
      {false, "\n", "\r\n"},
      {false, "a\r\n\n", "a\r\n\r\n"},
      {false, "a\r", "a\r\n"},
      {false, "A</p><p>B", "A</p><p>B\r\n"},
      {true, "A</P><P>B", "A</p>\r\n<P>B\r\n"},
      {true, "</p></p><p>", "</p>\r\n</p><p>\r\n"},
      {true, "</p> <p>", "</p> <p>\r\n"},
      {true, "A</p>\r<p>", "A</p>\r\n<p>\r\n"},
      {true, "</p>\n<p>", "</p>\r<p>\r\n"},
      {true, "</p><", "</p>\r\n<\r\n"},
      // Texts that are their own working copy, and near misses.
      {false, "a\r\nb\r\n", "a\r\nb\r\n"},
      {false, "\r\n\r\n", "\r\n\r\n"},
      {false, "a\r\r\n", "a\r\n\r\n"},
      {false, "a\n\r\n", "a\r\r\n"},
      {false, "A</p><p>\r\n", "A</p><p>\r\n"},
      {true, "A</p><p>\r\n", "A</p>\r\n<p>\r\n"},
      {true, "A</p>\r\n<p>\r\n", "A</p>\r\n<p>\r\n"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(MakeWorkingCopy(c.input, c.split), c.expected) << c.input;
    EXPECT_EQ(IsWorkingCopy(c.input, c.split), c.input == c.expected) << c.input;
  }
}

}  // namespace
}  // namespace lorvan
