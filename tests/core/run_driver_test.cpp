#include "run/run_driver.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <set>

#include "common/text_file.h"
#include "run/output_name.h"
#include "run/run_command.h"
#include "tests/core/fake_substitutions.h"
#include "tests/core/temp_dir.h"

namespace lorvan {
namespace {

namespace fs = std::filesystem;
using V = std::vector<std::string>;

// Records what a run shows; answers questions with answer_yes; runs on_yield at every yield.
class RecordingFrontEnd : public RunFrontEnd {
 public:
  void ShowCaption(const std::string& caption) override { captions.push_back(caption); }
  void ShowFileName(const std::string& name) override { names.push_back(name); }
  void ShowPercent(const std::string& text) override { percents.push_back(text); }
  void ColourBar(int first, int last, BarColour colour) override {
    for (int i = first; i <= last; ++i) bar[static_cast<std::size_t>(i)] = colour;
  }
  void ShowMask(const std::string& mask) override { masks.push_back(mask); }
  void ShowMessage(const std::string& text) override { messages.push_back(text); }
  bool AskYesNo(const std::string& title, const std::string& text) override {
    messages.push_back(title + "|" + text);
    return answer_yes;
  }
  void Yield() override {
    ++yields;
    if (on_yield) on_yield(yields);
  }

  V captions, names, percents, masks, messages;
  std::array<BarColour, kBarElements> bar{};
  bool answer_yes = true;
  int yields = 0;
  std::function<void(int)> on_yield;
};

// The disk, except that writing to a path in refused fails as a write-protected file does.
class RefusingFileSystem : public DiskFileSystem {
 public:
  Status Write(const std::string& path, std::string_view bytes) override {
    if (refused.count(path)) return Status::AccessDenied(path + ": Permission denied");
    if (fail_other.count(path)) return Status::Other(path + ": No space left on device");
    return DiskFileSystem::Write(path, bytes);
  }
  Status Replace(const std::string& path, std::string_view bytes) override {
    if (refused.count(path)) return Status::AccessDenied(path + ": Permission denied");
    return DiskFileSystem::Replace(path, bytes);
  }
  std::set<std::string> refused, fail_other;
};

class RunDriverTest : public ::testing::Test {
 protected:
  RunDriverTest() { subs_.Add("hleb", "kruh"); }

  std::string Path(const std::string& relative) const { return dir_.path() + "/" + relative; }
  void Put(const std::string& relative, const std::string& bytes) {
    fs::create_directories(fs::path(Path(relative)).parent_path());
    ASSERT_TRUE(WriteFileBytes(Path(relative), bytes).ok());
  }
  std::string Get(const std::string& relative) const {
    std::string bytes;
    EXPECT_TRUE(ReadFileBytes(Path(relative), &bytes).ok()) << relative;
    return bytes;
  }
  bool Exists(const std::string& relative) const { return fs::exists(Path(relative)); }

  // Runs one folder pass over the temporary folder with the given selection.
  RunTally Run(V selected = {}) {
    EXPECT_TRUE(browser_.Open(dir_.path()).ok());
    RunDriver driver({subs_, settings_, stop_, front_, files_, browser_}, std::move(selected));
    driver.TranslateFolder(dir_.path(), "");
    return driver.tally();
  }

  TempDir dir_;
  testing::FakeSubstitutions subs_;
  RunSettings settings_;
  StopFlag stop_;
  RecordingFrontEnd front_;
  RefusingFileSystem files_;
  FileBrowser browser_;
};

TEST(OutputName, InsertsTheSuffixBeforeTheLastDotOfTheFileName) {
  const struct {
    const char* in;
    const char* out;
  } cases[] = {
      {"/d/pjesma.txt", "/d/pjesma_hr.txt"}, {"/d/x.tar.gz", "/d/x.tar_hr.gz"},
      {"/d.v1/pjesma", "/d.v1/pjesma_hr"},   {"/d/.bashrc", "/d/.bashrc_hr"},
      {"pjesma.txt", "pjesma_hr.txt"},       {"/d/a.", "/d/a_hr."},
  };
  for (const auto& c : cases) EXPECT_EQ(SuffixedName(c.in, "_hr"), c.out) << c.in;
}

TEST(Progress, StepRoundsHalvesToEven) {
  const struct {
    std::int64_t total, step;
  } cases[] = {{0, 1}, {149, 2}, {150, 2}, {151, 3}, {250, 4}, {350, 4}, {450, 6}, {10000, 101}};
  for (const auto& c : cases) EXPECT_EQ(ProgressStep(c.total), c.step) << c.total;
}

TEST_F(RunDriverTest, WalksTheLastSubfolderFirstAndEachFoldersFilesLast) {
  Put("r.txt", "hleb");
  Put("A/a.txt", "hleb");
  Put("A/A1/a1.txt", "hleb");
  Put("B/b.txt", "hleb");
  settings_.subfolders = true;
  RunTally tally = Run();
  EXPECT_EQ(front_.names, (V{"b.txt", "a1.txt", "a.txt", "r.txt"}));
  EXPECT_EQ(tally.files_done, 4);
  EXPECT_EQ(Get("A/A1/a1_hr.txt"), "kruh\r\n");
  EXPECT_EQ(Get("r.txt"), "hleb");
  EXPECT_EQ(browser_.folder(), dir_.path());
}

TEST_F(RunDriverTest, NeverFollowsALinkBackIntoTheWalk) {
  Put("A/a.txt", "hleb");
  fs::create_directory_symlink(dir_.path(), Path("A/loop"));
  settings_.subfolders = true;
  Run();
  EXPECT_EQ(front_.names, V{"a.txt"});
}

TEST_F(RunDriverTest, LooksForSeveralSelectedNamesInEveryFolder) {
  Put("x.txt", "hleb");
  Put("y.txt", "hleb hleb");
  Put("S/x.txt", "Hleb");
  settings_.subfolders = true;
  RunTally tally = Run({"x.txt", "y.txt"});
  EXPECT_EQ(Get("S/x_hr.txt"), "Kruh\r\n");
  EXPECT_EQ(Get("y_hr.txt"), "kruh kruh\r\n");
  EXPECT_FALSE(Exists("S/y_hr.txt"));  // nothing is left for a name missing there
  EXPECT_EQ(front_.messages, V{"Datoteka " + Path("S/y.txt") + " ne postoji"});
  EXPECT_EQ(tally.files_done, 3);
  EXPECT_EQ(tally.files_failed, 1);
}

TEST_F(RunDriverTest, OneSelectedNameBecomesTheMaskInEveryFolder) {
  Put("x.txt", "hleb");
  Put("S/x.txt", "hleb");
  Put("S/other.txt", "hleb");
  settings_.subfolders = true;
  Run({"x.txt"});
  EXPECT_EQ(front_.names, (V{"x.txt", "x.txt"}));
  EXPECT_FALSE(Exists("S/other_hr.txt"));
  EXPECT_EQ(browser_.mask(), "x.txt");
}

TEST_F(RunDriverTest, SameNameReplacesTheInputOnlyWithTheFinishedTranslation) {
  Put("a.txt", "hleb\nhleb");
  settings_.same_name = true;
  Run();
  EXPECT_EQ(Get("a.txt"), "kruh\r\nkruh\r\n");
  EXPECT_EQ(dir_.List(), V{"a.txt"});

  Put("a.txt", "hleb\r\nhleb\r\n");
  front_.yields = 0;
  front_.on_yield = [this](int n) {
    if (n == 3) stop_.Set();  // before the second line
  };
  RunTally tally = Run();
  EXPECT_TRUE(tally.stopped);
  EXPECT_EQ(Get("a.txt"), "hleb\r\nhleb\r\n");
}

TEST_F(RunDriverTest, AStopLeavesTheWorkingCopyInTheOutput) {
  Put("a.txt", "hleb\nhleb</p><p>hleb");
  Put("b.txt", "hleb");
  front_.on_yield = [this](int n) {
    if (n == 3) stop_.Set();  // file a, before its second line
  };
  RunTally tally = Run();
  EXPECT_TRUE(tally.stopped);
  EXPECT_EQ(Get("a_hr.txt"), "hleb\rhleb</p>\r\n<p>hleb\r\n");
  EXPECT_FALSE(Exists("b_hr.txt"));
  EXPECT_EQ(front_.names, V{"a.txt"});
}

TEST_F(RunDriverTest, AStopBeforeAFileLeavesItUntouched) {
  Put("a.txt", "hleb");
  Put("b.txt", "hleb");
  front_.on_yield = [this](int n) {
    if (n == 3) stop_.Set();  // after file a's only line, before file b
  };
  RunTally tally = Run();
  EXPECT_TRUE(tally.stopped);
  EXPECT_EQ(tally.files_done, 1);
  EXPECT_EQ(Get("a_hr.txt"), "kruh\r\n");
  EXPECT_FALSE(Exists("b_hr.txt"));
}

TEST_F(RunDriverTest, ConvertsEveryFileOfTheListToLatin) {
  Put("a.txt", "\xd0\xa5\xd0\xbb\xd0\xb5\xd0\xb1\r\n");
  Put("b.txt", "\xd1\x9f");
  settings_.convert_only = true;
  RunTally tally = Run();
  EXPECT_EQ(Get("a_sr.txt"), "Hleb\r\n\r\n");
  EXPECT_EQ(Get("b_sr.txt"), "d\xc5\xbe\r\n\r\n");
  EXPECT_EQ(tally.files_done, 2);
  EXPECT_TRUE(front_.names.empty());
}

TEST_F(RunDriverTest, AsksAboutARefusedOutputAndEndsOnNo) {
  Put("a.txt", "hleb");
  Put("b.txt", "hleb");
  files_.refused.insert(Path("a_hr.txt"));
  RunTally tally = Run();
  EXPECT_EQ(front_.messages,
            V{"S=>C|Datoteka " + Path("a.txt") +
              " je zasticena (read-only)!\r\n\r\nZelite li nastaviti s prijevodom?"});
  EXPECT_TRUE(Exists("b_hr.txt"));
  EXPECT_EQ(tally.files_failed, 1);
  EXPECT_FALSE(tally.stopped);

  fs::remove(Path("b_hr.txt"));
  front_.answer_yes = false;
  tally = Run();
  EXPECT_TRUE(tally.stopped);
  EXPECT_FALSE(Exists("b_hr.txt"));
}

TEST_F(RunDriverTest, AnyOtherErrorEndsTheRunWithTheSystemsText) {
  Put("a.txt", "hleb");
  Put("b.txt", "hleb");
  files_.fail_other.insert(Path("a_hr.txt"));
  RunTally tally = Run();
  EXPECT_TRUE(tally.aborted);
  EXPECT_EQ(front_.messages, V{Path("a_hr.txt") + ": No space left on device"});
  EXPECT_FALSE(Exists("b_hr.txt"));
}

TEST_F(RunDriverTest, ShowsProgressByWholePercents) {
  std::string text;
  for (int i = 0; i < 100; ++i) text += "abcdefgh\r\n";  // 1,000 characters: step 11
  Put("a.txt", text);
  Run();
  EXPECT_EQ(front_.percents.front(), "0 %");
  EXPECT_EQ(front_.percents.back(), "100 %");
  EXPECT_EQ(front_.percents[1], "1 %");  // 20 characters after two lines > 11
  EXPECT_EQ(front_.percents[front_.percents.size() - 2], "90 %");
  EXPECT_EQ(front_.bar[18], BarColour::kBlue);
  EXPECT_EQ(front_.bar[19], BarColour::kBlue);

  Put("one.txt", "hleb");
  fs::remove(Path("a.txt"));
  front_.percents.clear();
  Run({"one.txt"});
  EXPECT_EQ(front_.percents, (V{"0 %", "6 %", "100 %"}));  // 6 characters, step 1
}

TEST_F(RunDriverTest, RunCommandCaptionsAndAStopClickDuringTheRun) {
  Put("a.txt", "hleb\r\nhleb\r\n");
  Put("b.txt", "hleb");
  ASSERT_TRUE(browser_.Open(dir_.path()).ok());
  RunCommand command({subs_, settings_, stop_, front_, files_, browser_});
  front_.on_yield = [&](int n) {
    if (n == 2) command.Click("*.*");  // the click on STOP, inside the running run
  };
  RunTally tally = command.Click("*.*");
  EXPECT_TRUE(tally.stopped);
  EXPECT_EQ(front_.captions, (V{"STOP", "STOP", "A=>B", "A=>B"}));
  EXPECT_EQ(front_.names, V{"a.txt"});
  EXPECT_EQ(front_.bar[0], BarColour::kGrey);

  stop_.Set();  // Esc while idle does not keep the next run from starting
  front_.on_yield = nullptr;
  tally = command.Click("*.*");
  EXPECT_FALSE(tally.stopped);
  EXPECT_EQ(command.caption(), "A=>B");
}

}  // namespace
}  // namespace lorvan
