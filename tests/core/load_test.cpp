#include "dictionary/load.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "common/text_file.h"
#include "dictionary/dictionary_loader.h"
#include "tests/core/temp_dir.h"

namespace lorvan {
namespace {

using Kind = LoadIssue::Kind;
using Entries = std::vector<std::pair<std::string, std::string>>;

// The file, kind and line of every issue of report, in order.
std::vector<std::tuple<DictionaryFile, Kind, std::int64_t>> Issues(const LoadReport& report) {
  std::vector<std::tuple<DictionaryFile, Kind, std::int64_t>> issues;
  for (const LoadIssue& issue : report.issues)
    issues.emplace_back(issue.file, issue.kind, issue.line);
  return issues;
}

std::string_view FindWord(const Dictionary& dictionary, std::string_view word) {
  return dictionary.words.Find(BucketOfCode(static_cast<unsigned char>(word[0])),
                               LengthClass(word.size()), word);
}

// The word file of n lines "w1\tt1", "w2\tt2" ... with CR LF after each.
std::string NumberedWordFile(int n) {
  std::string text;
  for (int i = 1; i <= n; ++i) text += "w" + std::to_string(i) + "\tt" + std::to_string(i) + "\r\n";
  return text;
}

// A watcher made of optional steps.
struct LoadHooks : LoadWatcher {
  LoadHooks(std::function<void()> opened = nullptr, std::function<bool()> yield = nullptr,
            std::function<void(std::int64_t)> count = nullptr)
      : opened(std::move(opened)), yield(std::move(yield)), count(std::move(count)) {}
  bool YieldAndTestStop() override { return yield && yield(); }
  void WordFileOpened() override {
    if (opened) opened();
  }
  void ShowLineCount(std::int64_t n) override {
    if (count) count(n);
  }
  std::function<void()> opened;
  std::function<bool()> yield;
  std::function<void(std::int64_t)> count;
};

class LoadDictionaryTest : public ::testing::Test {
 protected:
  void Write(const char* name, std::string_view bytes) {
    ASSERT_TRUE(WriteFileBytes(dir_.path() + "/" + name, bytes).ok());
  }
  LoadReport Load(LoadHooks hooks = {}) {
    return LoadDictionary(dir_.path(), &hooks, &dict_);
  }

  TempDir dir_;
  Dictionary dict_;
};

TEST_F(LoadDictionaryTest, YieldsAtEvery501stWordLineAndStopsThere) {
  const struct {
    int lines;
    bool stop;
    std::vector<std::int64_t> shown;
    std::int64_t filed;
  } cases[] = {{500, false, {}, 500},
               {501, false, {501}, 501},
               {1001, false, {501}, 1001},
               {1002, false, {501, 1002}, 1002},
               {1200, true, {}, 500}};
  Write(kPhraseFileName, "#kad\r\nkad\tkada\r\n---\r\n");
  for (const auto& c : cases) {
    Write(kWordFileName, NumberedWordFile(c.lines));
    Dictionary dict;
    int yields = 0, clears = 0;
    std::vector<std::int64_t> shown;
    LoadHooks hooks{[&] { ++clears; },
                    [&] {
                      ++yields;
                      return c.stop;
                    },
                    [&](std::int64_t n) { shown.push_back(n); }};
    LoadReport report = LoadDictionary(dir_.path(), &hooks, &dict);
    EXPECT_EQ(shown, c.shown) << c.lines;
    EXPECT_EQ(yields, static_cast<int>(c.shown.size() + (c.stop ? 1 : 0))) << c.lines;
    EXPECT_EQ(clears, 1);
    EXPECT_EQ(dict.words.Total(), c.filed) << c.lines;
    EXPECT_EQ(report.word_lines_read, c.filed) << c.lines;
    EXPECT_EQ(report.stopped, c.stop);
    EXPECT_EQ(FindWord(dict, "w" + std::to_string(c.filed + 1)).data(), nullptr) << c.lines;
    EXPECT_EQ(dict.phrases.size(), 2u);  // a stop ends the word file only
  }
}

// Lines end at CR and CR LF, a pair at the first TAB; issues are reported and the load goes on.
TEST_F(LoadDictionaryTest, SplitsLinesAndPairsAndReportsIssues) {
  Write(kWordFileName, "hleb\tkruh\rmleko\tmlijeko\nvoda\r\n\tprazno\r\nno tab\r\nx\ty\tz");
  Write(kPhraseFileName, "#kad\r\nkad\tkada\r\n---\r\n");
  Write(kModalFileName, "vidjeti\tvidim\tvidiš\tvidi\tvidimo\tvidite\tvide\r\n");
  LoadReport report = Load();
  EXPECT_EQ(report.files_read, 2);
  EXPECT_EQ(report.word_lines_read, 5);
  EXPECT_EQ(Issues(report), (std::vector<std::tuple<DictionaryFile, Kind, std::int64_t>>{
                                {DictionaryFile::kWords, Kind::kEmptySource, 3},
                                {DictionaryFile::kNames, Kind::kFileUnreadable, 0}}));
  EXPECT_EQ(report.issues[0].detail, "\tprazno");
  EXPECT_NE(report.issues[1].detail.find(kNameFileName), std::string::npos);
  EXPECT_EQ(dict_.words.Total(), 3);
  EXPECT_EQ(FindWord(dict_, "hleb"), "kruh");
  EXPECT_EQ(FindWord(dict_, "mleko"), "mlijeko\nvoda");  // a lone LF stays in the line
  EXPECT_EQ(FindWord(dict_, "x"), "y\tz");
  EXPECT_EQ(dict_.phrases.size(), 2u);
  ASSERT_NE(dict_.modal.FindPresent("vidimo"), nullptr);
  EXPECT_EQ(dict_.modal.Infinitive(*dict_.modal.FindPresent("vidimo")), "vidjeti");

  Dictionary dict;
  bool cleared = false;
  std::filesystem::remove(dir_.path() + "/" + kWordFileName);
  Write(kNameFileName, "\tnitko\r\nBeograd\tBelgrade\r\nno tab\r\n");
  std::filesystem::remove(dir_.path() + "/" + kModalFileName);
  std::filesystem::create_directory(dir_.path() + "/" + kModalFileName);
  LoadHooks hooks([&] { cleared = true; });
  report = LoadDictionary(dir_.path(), &hooks, &dict);
  EXPECT_FALSE(cleared);  // the word file was never opened
  EXPECT_EQ(Issues(report), (std::vector<std::tuple<DictionaryFile, Kind, std::int64_t>>{
                                {DictionaryFile::kWords, Kind::kFileUnreadable, 0},
                                {DictionaryFile::kNames, Kind::kEmptySource, 1},
                                {DictionaryFile::kModal, Kind::kFileUnreadable, 0}}));
  ASSERT_EQ(dict.names.size(), 1u);
  EXPECT_EQ(dict.names[0].source, "Beograd");
}

TEST(DictionaryLoader, FilesPhraseLinesWithGroupCounts) {
  using IssueList = std::vector<std::tuple<DictionaryFile, Kind, std::int64_t>>;
  constexpr DictionaryFile kPhrases = DictionaryFile::kPhrases;
  const struct {
    std::vector<std::string> lines;
    Entries entries;
    IssueList issues;
  } cases[] = {
      // a group, then a subgroup
      {{"#kad", "kad\tkada", "kad god\tkadgod", "---", "##kada", "kada\tkad", "="},
       {{"#kad", "2"}, {"kad", "kada"}, {"kad god", "kadgod"}, {"#kada", "1"}, {"kada", "kad"}},
       {}},
      // a group counts the subgroup headers inside it
      {{"#a", "x\ty", "##b", "p\tq", "=", "r\ts", "---"},
       {{"#a", "4"}, {"x", "y"}, {"#b", "1"}, {"p", "q"}, {"r", "s"}},
       {}},
      // closing lines without an open header are ignored
      {{"p\tq", "=", "---", "#a", "----"},
       {{"p", "q"}, {"#a", "0"}},
       {{kPhrases, Kind::kStrayClose, 2}, {kPhrases, Kind::kStrayClose, 3}}},
      // a second closing line counts again up to itself
      {{"##b", "p\tq", "=", "r\ts", "="}, {{"#b", "2"}, {"p", "q"}, {"r", "s"}}, {}},
      // unclosed headers keep an empty target
      {{"#a", "p\tq", "##b", "r\ts", "#c", "---"},
       {{"#a", ""}, {"p", "q"}, {"#b", ""}, {"r", "s"}, {"#c", "0"}},
       {{kPhrases, Kind::kUnclosedGroup, 1}, {kPhrases, Kind::kUnclosedGroup, 3}}},
      // blank phrase sources are skipped and not counted
      {{"#a", "\tx", "   \ty", " a \tz", "---"},
       {{"#a", "1"}, {" a ", "z"}},
       {{kPhrases, Kind::kBlankPhrase, 2}, {kPhrases, Kind::kBlankPhrase, 3}}},
      // pair lines that look like control lines are pairs
      {{"#x\ty", "=\tz", "---\tw", "--", "plain text", "", "# \tv"},
       {{"#x", "y"}, {"=", "z"}, {"---", "w"}, {"# ", "v"}},
       {}},
  };
  for (const auto& c : cases) {
    Dictionary dict;
    DictionaryLoader loader(&dict);
    for (const std::string& line : c.lines) loader.AddPhraseLine(line);
    loader.FinishPhrases();
    Entries entries;
    for (const PhraseEntry& entry : dict.phrases) entries.emplace_back(entry.source, entry.target);
    EXPECT_EQ(entries, c.entries) << c.lines[0];
    EXPECT_EQ(Issues(loader.report()), c.issues) << c.lines[0];
  }
}

}  // namespace
}  // namespace lorvan
