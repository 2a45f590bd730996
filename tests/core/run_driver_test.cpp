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

// Records what a run tells its front end; answers the question with answer_yes; runs on_yield
// at every yield and stops when stop is set.
class RecordingFrontEnd : public RunFrontEnd, public RunCommandView {
 public:
  bool YieldAndTestStop() override {
    ++yields;
    if (on_yield) on_yield(yields);
    return stop.IsSet();
  }
  void FileStarted(const std::string& name) override {
    names.push_back(name);
    percents.push_back(0);
  }
  void ProgressPassed(int percent) override {
    percents.push_back(percent);
    if (on_progress) on_progress();
  }
  void FileFinished() override { percents.push_back(100); }
  void ReportProblem(RunProblem problem, const std::string& path,
                     const std::string& detail) override {
    messages.push_back(std::to_string(static_cast<int>(problem)) + "|" + path + "|" + detail);
  }
  bool AskGoOnAfterWriteProtected(const std::string& path) override {
    messages.push_back("ask|" + path);
    return answer_yes;
  }
  void FolderEntered(const std::string& folder) override { folders.push_back(folder); }
  void MaskSet(const std::string& mask) override { masks.push_back(mask); }
  void RunStarted() override { events.push_back("started"); }
  void RunEnded() override { events.push_back("ended"); }

  V names, messages, folders, masks, events;
  std::vector<int> percents;
  bool answer_yes = true;
  int yields = 0;
  std::function<void(int)> on_yield;
  std::function<void()> on_progress;
  StopFlag stop;
};

// The disk, except that a path in refused is write-protected.
class RefusingFileSystem : public DiskFileSystem {
 public:
  Status CheckWritable(const std::string& path) override {
    if (refused.count(path)) return Status::AccessDenied(path + ": Permission denied");
    return DiskFileSystem::CheckWritable(path);
  }
  std::set<std::string> refused;
};

class RunDriverTest : public ::testing::Test {
 protected:
  // The run in the original byte model, which these cases pin.
  RunDriverTest() {
    subs_.Add("hleb", "kruh");
    settings_.byte_exact = true;
  }

  std::string Path(const std::string& relative) const { return dir_.Path(relative); }
  void Put(const std::string& relative, const std::string& bytes) { dir_.Put(relative, bytes); }
  std::string Get(const std::string& relative) const { return dir_.Get(relative); }
  bool Exists(const std::string& relative) const { return dir_.Exists(relative); }
  // Runs one folder pass over the temporary folder with the given selection.
  RunTally Run(V selected = {}) {
    RunDriver driver({subs_, settings_, front_, files_}, std::move(selected), "*.*");
    return driver.TranslateFolder(dir_.path());
  }

  TempDir dir_;
  testing::FakeSubstitutions subs_;
  RunSettings settings_;
  RecordingFrontEnd front_;
  RefusingFileSystem files_;
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
  fs::create_directory_symlink(dir_.path(), Path("A/loop"));  // a link back into the walk
  settings_.subfolders = true;
  RunTally tally = Run();
  EXPECT_EQ(front_.names, (V{"b.txt", "a1.txt", "a.txt", "r.txt"}));
  EXPECT_EQ(tally.files_done, 4);
  EXPECT_EQ(Get("A/A1/a1_hr.txt"), "kruh\r\n");
  EXPECT_EQ(Get("r.txt"), "hleb");
  const std::string r = dir_.path();
  EXPECT_EQ(front_.folders,
            (V{r + "/B", r, r + "/A", r + "/A/A1", r + "/A", r}));  // the lists follow the walk
}

TEST_F(RunDriverTest, SelectedNamesAreLookedForInEveryFolder) {
  Put("x.txt", "hleb");
  Put("y.txt", "hleb hleb");
  Put("S/x.txt", "Hleb");
  Put("S/other.txt", "hleb");
  settings_.subfolders = true;
  RunTally tally = Run({"x.txt", "y.txt"});
  EXPECT_EQ(Get("S/x_hr.txt"), "Kruh\r\n");
  EXPECT_EQ(Get("y_hr.txt"), "kruh kruh\r\n");
  EXPECT_FALSE(Exists("S/y_hr.txt"));  // nothing is left for a name missing there
  EXPECT_EQ(front_.messages, V{"0|" + Path("S/y.txt") + "|" + Path("S/y.txt") +
                               ": No such file or directory"});
  EXPECT_EQ(tally.files_done, 3);
  EXPECT_EQ(tally.files_failed, 1);

  Run({"x.txt"});  // one selected name becomes the mask in every folder
  EXPECT_EQ(front_.masks, (V{"x.txt", "x.txt"}));
  EXPECT_FALSE(Exists("S/other_hr.txt"));
}

// A folder that vanishes after its parent was read is passed over (a named file that is
// missing is reported: see SelectedNamesAreLookedForInEveryFolder).
TEST_F(RunDriverTest, AFolderThatVanishesDuringTheRunIsPassedOver) {
  Put("a/small.txt", "hleb");
  Put("b/big.txt", "hleb");  // the walk takes b before a
  settings_.subfolders = true;
  front_.on_yield = [this](int n) {
    if (n == 1) fs::remove_all(Path("a"));
  };
  RunTally tally = Run();
  EXPECT_EQ(tally.files_failed, 0);
  EXPECT_TRUE(front_.messages.empty());
}

TEST_F(RunDriverTest, SameNameReplacesTheInputAndLeavesNothingElse) {
  Put("a.txt", "hleb\nhleb");
  settings_.same_name = true;
  Run();
  EXPECT_EQ(Get("a.txt"), "kruh\r\nkruh\r\n");
  EXPECT_EQ(dir_.List(), V{"a.txt"});
}

// A stopped file leaves no output and an earlier one of the same name as it was.
TEST_F(RunDriverTest, AStopEndsTheRunBeforeTheNextLineOrFileAndWritesNothingHalfMade) {
  for (int stop_at_yield : {3, 1}) {  // in file a before its second line; before file a
    Put("a.txt", "hleb\nhleb</p><p>hleb");
    Put("a_hr.txt", "earlier");
    Put("b.txt", "hleb");
    front_.yields = 0;
    front_.stop.Clear();
    front_.messages.clear();
    front_.on_yield = [&](int n) {
      if (n == stop_at_yield) front_.stop.Set();
    };
    RunTally tally = Run();
    EXPECT_TRUE(tally.stopped);
    EXPECT_EQ(tally.files_done, 0);
    EXPECT_EQ(Get("a_hr.txt"), "earlier");
    EXPECT_FALSE(Exists("b_hr.txt"));
    EXPECT_EQ(front_.messages.size(), stop_at_yield == 3 ? 1u : 0u);  // names the file
  }
}

// Files that are not text, links and the run's own outputs are not translated in a folder pass;
// a folder is walked once however many links lead to it, and only when links are followed.
TEST_F(RunDriverTest, LeavesBinariesLinksAndItsOwnOutputsAlone) {
  Put("a.txt", "hleb");
  Put("a_hr.txt", "hleb");
  Put("slika.png", std::string("\x89PNG\r\n\x1a\nhleb hleb\0", 18));  // a NUL past the header
  Put("S/s.txt", "hleb");
  fs::create_symlink(Path("a.txt"), Path("link.txt"));
  fs::create_directory_symlink(Path("S"), Path("L1"));
  fs::create_directory_symlink(Path("S"), Path("L2"));
  fs::create_directory_symlink("/", Path("Out"));
  settings_.subfolders = true;
  RunTally tally = Run();
  EXPECT_EQ(front_.names, (V{"s.txt", "a.txt"}));
  EXPECT_EQ(tally.files_skipped, 1);
  EXPECT_FALSE(Exists("slika_hr.png"));
  EXPECT_FALSE(Exists("a_hr_hr.txt"));

  settings_.follow_links = true;
  front_.names.clear();
  Run();
  EXPECT_EQ(front_.names, (V{"s.txt", "a.txt"}));  // S once, through a link; never out

  settings_.binary = true;
  settings_.subfolders = false;
  Run({"slika.png", "link.txt"});
  EXPECT_TRUE(Exists("slika_hr.png"));
  EXPECT_TRUE(Exists("link_hr.txt"));  // named, and within the folder: followed

  // A link to a folder whose name only begins with the top folder's leads out of the walk.
  Put("T/t.txt", "hleb");
  Put("T2/u.txt", "hleb");
  fs::create_directory_symlink(Path("T2"), Path("T/L"));
  settings_.subfolders = true;
  RunDriver({subs_, settings_, front_, files_}, {}, "*.*").TranslateFolder(Path("T"));
  EXPECT_TRUE(Exists("T/t_hr.txt"));
  EXPECT_FALSE(Exists("T2/u_hr.txt"));
}

TEST_F(RunDriverTest, AsksAboutARefusedOutputAndEndsOnNo) {
  Put("a.txt", "hleb");
  Put("b.txt", "hleb");
  files_.refused.insert(Path("a_hr.txt"));
  RunTally tally = Run();
  EXPECT_EQ(front_.messages, V{"ask|" + Path("a.txt")});
  EXPECT_TRUE(Exists("b_hr.txt"));
  EXPECT_EQ(tally.files_failed, 1);
  EXPECT_FALSE(tally.stopped);

  fs::remove(Path("b_hr.txt"));
  front_.answer_yes = false;
  tally = Run();
  EXPECT_TRUE(tally.stopped);
  EXPECT_FALSE(Exists("b_hr.txt"));
}

TEST_F(RunDriverTest, ShowsProgressByWholePercents) {
  std::string text;
  for (int i = 0; i < 100; ++i) text += "abcdefgh\r\n";  // 1,000 characters: step 11
  Put("a.txt", text);
  Run();
  ASSERT_GT(front_.percents.size(), 3u);
  EXPECT_EQ(front_.percents[1], 1);  // 20 characters after two lines > 11
  EXPECT_EQ(front_.percents[front_.percents.size() - 2], 90);
  EXPECT_EQ(front_.percents.back(), 100);

  Put("one.txt", "hleb");
  fs::remove(Path("a.txt"));
  front_.percents.clear();
  Run({"one.txt"});
  EXPECT_EQ(front_.percents, (std::vector<int>{0, 6, 100}));  // 6 characters, step 1
}

TEST_F(RunDriverTest, AStopClickDuringTheRunEndsIt) {
  Put("a.txt", "hleb\r\nhleb\r\n");
  Put("b.txt", "hleb");
  RunCommand command({subs_, settings_, front_, files_}, front_.stop, front_);
  front_.on_yield = [&](int n) {
    if (n == 2) command.Click(dir_.path(), {}, "*.*");  // the click on STOP, inside the run
  };
  RunTally tally = command.Click(dir_.path(), {}, "*.*");
  EXPECT_TRUE(tally.stopped);
  EXPECT_EQ(front_.events, (V{"started", "started", "ended", "ended"}));
  EXPECT_EQ(front_.names, V{"a.txt"});

  front_.stop.Set();  // Esc while idle does not keep the next run from starting
  front_.on_yield = nullptr;
  tally = command.Click(dir_.path(), {}, "*.*");
  EXPECT_FALSE(tally.stopped);
  EXPECT_FALSE(command.running());
}

// a.txt is translated in blocks on the workers, b.txt and c.txt each whole on one of them.
TEST_F(RunDriverTest, FilesAndBlocksTranslatedOnWorkersShowWhatOneThreadShows) {
  std::string text;
  for (int i = 0; i < 60; ++i)
    text += i % 7 == 3 ? "hleb <a\r\nhref=hleb> hleb\n" : "hleb s hlebom\r\n";
  Put("a.txt", text);
  Put("b.txt", text.substr(0, 300));
  Put("c.txt", text.substr(300, 200));
  settings_.block_bytes = 40;
  for (const bool byte_exact : {true, false}) {
    settings_.byte_exact = byte_exact;
    std::vector<std::vector<int>> percents;
    V outputs;
    for (const int jobs : {1, 3}) {
      front_.percents.clear();
      RunDriver driver({subs_, settings_, front_, files_}, {}, "*.txt");
      driver.TranslateInParallel(
          jobs, [&] { return std::make_unique<testing::FakeSubstitutions>(subs_); });
      driver.TranslateFolder(dir_.path());
      percents.push_back(front_.percents);
      outputs.push_back(Get("a_hr.txt") + Get("b_hr.txt") + Get("c_hr.txt"));
    }
    EXPECT_EQ(percents[0], percents[1]) << byte_exact;
    EXPECT_EQ(outputs[0], outputs[1]) << byte_exact;
    EXPECT_GT(percents[0].size(), 60u);
  }
}

// Workers write outputs to temporaries ahead of their files' turns; a stop removes the ones
// whose turn did not come.
TEST_F(RunDriverTest, AStopInAParallelRunLeavesOnlyTheOutputsWhoseTurnCame) {
  for (int stop_at_yield : {1, 2, 4}) {
    for (const auto& entry : fs::directory_iterator(dir_.path())) fs::remove(entry.path());
    for (int i = 0; i < 8; ++i) Put("f" + std::to_string(i) + ".txt", "hleb\r\nhleb\r\n");
    front_.yields = 0;
    front_.stop.Clear();
    front_.on_yield = [&](int n) {
      if (n == stop_at_yield) front_.stop.Set();
    };
    RunDriver driver({subs_, settings_, front_, files_}, {}, "*.*");
    driver.TranslateInParallel(3,
                               [&] { return std::make_unique<testing::FakeSubstitutions>(subs_); });
    const RunTally tally = driver.TranslateFolder(dir_.path());
    EXPECT_TRUE(tally.stopped);
    int outputs = 0;
    for (const auto& entry : fs::directory_iterator(dir_.path())) {
      const std::string name = entry.path().filename().string();
      EXPECT_FALSE(name.starts_with(".lorvan-")) << stop_at_yield;
      outputs += name.ends_with("_hr.txt");
    }
    EXPECT_EQ(outputs, tally.files_done) << stop_at_yield;
  }
}

// The window's option boxes stay live during a run. A change made while a file is in work
// applies from the next file on, whatever the threads: a file keeps the settings it started
// with, and the files translated ahead of their turn with the old ones are done again.
TEST_F(RunDriverTest, AnOptionChangedDuringAFileAppliesFromTheNextFile) {
  settings_.byte_exact = false;
  settings_.block_bytes = 10;  // c.txt is too long to be translated ahead of its turn
  std::string long_text;
  for (int i = 0; i < 40; ++i) long_text += "hleb\n";
  for (const char* name : {"a.txt", "b.txt", "d.txt", "e.txt"}) Put(name, "hleb\nhleb\n");
  Put("c.txt", long_text);
  front_.on_progress = [&] {
    if (front_.names.back() == "c.txt") settings_.line_ends = LineEndChoice::kCrLf;
  };
  for (const int jobs : {1, 3}) {
    settings_.line_ends = LineEndChoice::kKeep;
    RunDriver driver({subs_, settings_, front_, files_}, {}, "*.txt");
    driver.TranslateInParallel(
        jobs, [&] { return std::make_unique<testing::FakeSubstitutions>(subs_); });
    driver.TranslateFolder(dir_.path());
    EXPECT_EQ(Get("b_hr.txt"), "kruh\nkruh\n") << jobs;
    std::string long_output;
    for (int i = 0; i < 40; ++i) long_output += "kruh\n";
    EXPECT_EQ(Get("c_hr.txt"), long_output) << jobs;
    EXPECT_EQ(Get("d_hr.txt"), "kruh\r\nkruh\r\n") << jobs;
    EXPECT_EQ(Get("e_hr.txt"), "kruh\r\nkruh\r\n") << jobs;
  }
}

TEST_F(RunDriverTest, AConversionOnWorkersIsWrittenWholeWhateverTheStop) {
  std::string text;
  for (int i = 0; i < 40; ++i) text += "\xd1\x85\xd0\xbb\xd0\xb5\xd0\xb1\r\n";  // хлеб
  Put("a.txt", text);
  settings_.convert_only = true;
  settings_.block_bytes = 16;
  RunDriver({subs_, settings_, front_, files_}, {}, "*.*").TranslateFolder(dir_.path());
  const std::string whole = Get("a_sr.txt");
  fs::remove(Path("a_sr.txt"));
  const int before = front_.yields;
  front_.on_yield = [&](int n) {
    if (n == before + 2) front_.stop.Set();  // after the file's start, before its end
  };
  RunDriver driver({subs_, settings_, front_, files_}, {}, "*.*");
  driver.TranslateInParallel(
      2, [&] { return std::make_unique<testing::FakeSubstitutions>(subs_); });
  driver.TranslateFolder(dir_.path());
  EXPECT_EQ(Get("a_sr.txt"), whole);
}

}  // namespace
}  // namespace lorvan
