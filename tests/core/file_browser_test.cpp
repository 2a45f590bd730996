#include "browser/file_browser.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "common/text_file.h"
#include "run/file_mask.h"
#include "tests/core/temp_dir.h"

namespace lorvan {
namespace {

TEST(FileMask, MatchesWildcardsWithoutRegardToAsciiCase) {
  const struct {
    const char* name;
    const char* mask;
    bool matches;
  } cases[] = {
      {"pjesma.txt", "*.*", true},        {"README", "*.*", true},
      {"pjesma.txt", "*.txt", true},      {"PJESMA.TXT", "*.txt", true},
      {"pjesma.txt", "*.htm", false},     {"a.htm", "*.htm", true},
      {"a.html", "*.htm", false},         {"a.txt", "?.txt", true},
      {"ab.txt", "?.txt", false},         {"a.txt", "a.txt", true},
      {"b.txt", "a.txt", false},          {"film.srt", "*.sub;*.srt", true},
      {"film.sub", "*.sub; *.srt", true}, {"film.avi", "*.sub;*.srt", false},
      {"readme", "read*.*", true},        {"x.tar.gz", "*.gz", true},
      {"\xc4\x8d.txt", "?*.txt", true},   {"a", "", false},
  };
  for (const auto& c : cases)
    EXPECT_EQ(MatchesMask(c.name, c.mask), c.matches) << c.name << " ~ " << c.mask;
}

class FileBrowserTest : public ::testing::Test {
 protected:
  void SetUp() override {
    for (const char* name : {"b.txt", "A.txt", "a.txt", "c.htm", ".hidden.txt", "_x.txt"})
      ASSERT_TRUE(WriteFileBytes(dir_.path() + "/" + name, "x").ok());
    for (const char* name : {"Zeta", "alfa", ".git"})
      std::filesystem::create_directory(dir_.path() + "/" + name);
    ASSERT_TRUE(browser_.Open(dir_.path()).ok());
  }

  std::vector<std::string> Names() const {
    std::vector<std::string> names;
    for (const auto& f : browser_.files()) names.push_back(f.name);
    return names;
  }

  TempDir dir_;
  FileBrowser browser_;
};

using V = std::vector<std::string>;

TEST_F(FileBrowserTest, ListsSortedFilesAndSubfoldersWithoutDotEntries) {
  EXPECT_EQ(Names(), (V{"_x.txt", "A.txt", "a.txt", "b.txt", "c.htm"}));
  EXPECT_EQ(browser_.subfolders(), (V{"alfa", "Zeta"}));
  browser_.SetMask("*.htm");
  EXPECT_EQ(Names(), V{"c.htm"});
  EXPECT_EQ(browser_.PathOf("c.htm"), dir_.path() + "/c.htm");
}

TEST_F(FileBrowserTest, SecondClickOnTheSameFileDeselectsIt) {
  browser_.SetSelected(0, true);  // as start-up does; the last clicked index starts at 0
  browser_.Click(0);
  EXPECT_EQ(browser_.SelectedNames(), V{});
  EXPECT_EQ(browser_.last_clicked_index(), -1);
  browser_.Click(0);
  EXPECT_EQ(browser_.SelectedNames(), V{"_x.txt"});
  browser_.Click(2, ClickKind::kToggle);
  EXPECT_EQ(browser_.SelectedNames(), (V{"_x.txt", "a.txt"}));
  browser_.Click(3);
  browser_.Click(3);  // a plain click selects, the rule then deselects
  EXPECT_EQ(browser_.SelectedNames(), V{});
  browser_.Click(1);
  browser_.Click(3, ClickKind::kExtend);
  EXPECT_EQ(browser_.SelectedNames(), (V{"A.txt", "a.txt", "b.txt"}));
  EXPECT_EQ(browser_.CurrentFileName(), "b.txt");
}

TEST_F(FileBrowserTest, AFolderThatCannotBeOpenedKeepsThePreviousOne) {
  EXPECT_EQ(browser_.Open(dir_.path() + "/gone").kind(), ErrorKind::kNotFound);
  EXPECT_EQ(browser_.folder(), dir_.path());
  EXPECT_EQ(browser_.files().size(), 5u);
  ASSERT_TRUE(browser_.Open(dir_.path() + "/alfa").ok());
  EXPECT_TRUE(browser_.files().empty());
  EXPECT_EQ(browser_.focused(), -1);
  EXPECT_EQ(browser_.CurrentFileName(), "");
}

}  // namespace
}  // namespace lorvan
