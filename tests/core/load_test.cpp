#include "dictionary/load.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "common/text_file.h"
#include "dictionary/dictionary_loader.h"
#include "tests/core/temp_dir.h"

namespace lorvan {
namespace {

using Kind = LoadIssue::Kind;

// The kind and line of every issue of report, in order.
std::vector<std::pair<Kind, std::int64_t>> Issues(const LoadReport& report) {
  std::vector<std::pair<Kind, std::int64_t>> issues;
  for (const LoadIssue& issue : report.issues) issues.emplace_back(issue.kind, issue.line);
  return issues;
}

std::vector<std::pair<std::string, std::string>> Phrases(const Dictionary& dictionary) {
  std::vector<std::pair<std::string, std::string>> phrases;
  for (const PhraseEntry& entry : dictionary.phrases)
    phrases.emplace_back(entry.source, entry.target);
  return phrases;
}

const std::string* FindWord(const Dictionary& dictionary, std::string_view word) {
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

TEST_F(LoadDictionaryTest, SplitsLinesAtCrAndCrLfAndPairsAtTheFirstTab) {
  Write(kWordFileName, "kuca\tkuca\r\nhleb\tkruh\rmleko\tmlijeko\nvoda\r\nno tab here\r\nx\ty\tz");
  Write(kPhraseFileName, "");
  Write(kNameFileName, "Beograd\tBelgrade\r\nno tab\r\n");
  LoadReport report = Load();
  EXPECT_TRUE(report.issues.empty());
  EXPECT_EQ(report.files_read, 3);
  EXPECT_EQ(report.word_lines_read, 5);
  EXPECT_EQ(dict_.words.Total(), 4);
  EXPECT_EQ(*FindWord(dict_, "hleb"), "kruh");
  EXPECT_EQ(*FindWord(dict_, "mleko"), "mlijeko\nvoda");  // a lone LF stays in the line
  EXPECT_EQ(*FindWord(dict_, "x"), "y\tz");
  ASSERT_EQ(dict_.names.size(), 1u);
  EXPECT_EQ(dict_.names[0].target, "Belgrade");
}

TEST_F(LoadDictionaryTest, YieldsAtEvery501stWordLine) {
  struct Case {
    int lines;
    std::vector<std::int64_t> shown;
  } cases[] = {{500, {}}, {501, {501}}, {1001, {501}}, {1002, {501, 1002}}};
  for (const Case& c : cases) {
    Write(kWordFileName, NumberedWordFile(c.lines));
    Dictionary dict;
    int yields = 0, clears = 0;
    std::vector<std::int64_t> shown;
    LoadHooks hooks{[&] { ++clears; },
                    [&] {
                      ++yields;
                      return false;
                    },
                    [&](std::int64_t n) { shown.push_back(n); }};
    LoadReport report = LoadDictionary(dir_.path(), &hooks, &dict);
    EXPECT_EQ(shown, c.shown) << c.lines;
    EXPECT_EQ(yields, static_cast<int>(c.shown.size())) << c.lines;
    EXPECT_EQ(clears, 1);
    EXPECT_EQ(dict.words.Total(), c.lines);
    EXPECT_FALSE(report.stopped);
  }
}

TEST_F(LoadDictionaryTest, StopAtLine501FilesTheFirst500AndLoadsTheOtherFiles) {
  Write(kWordFileName, NumberedWordFile(1200));
  Write(kPhraseFileName, "#kad\r\nkad\tkada\r\n---\r\n");
  Write(kNameFileName, "Beograd\tBelgrade\r\n");
  bool shown = false;
  LoadReport report = Load({nullptr, [] { return true; }, [&](std::int64_t) { shown = true; }});
  EXPECT_TRUE(report.stopped);
  EXPECT_FALSE(shown);
  EXPECT_EQ(report.word_lines_read, 500);
  EXPECT_EQ(dict_.words.Total(), 500);
  EXPECT_NE(FindWord(dict_, "w500"), nullptr);
  EXPECT_EQ(FindWord(dict_, "w501"), nullptr);
  EXPECT_EQ(dict_.phrases.size(), 2u);
  EXPECT_EQ(dict_.names.size(), 1u);
}

TEST_F(LoadDictionaryTest, MissingFilesAreReportedAndTheOthersStillLoad) {
  Write(kPhraseFileName, "#kad\r\nkad\tkada\r\n---\r\n");
  bool cleared = false;
  LoadReport report = Load({[&] { cleared = true; }, nullptr, nullptr});
  EXPECT_FALSE(cleared);
  EXPECT_EQ(report.files_read, 1);
  ASSERT_EQ(report.issues.size(), 2u);
  EXPECT_EQ(report.issues[0].file, DictionaryFile::kWords);
  EXPECT_EQ(report.issues[0].kind, Kind::kFileUnreadable);
  EXPECT_EQ(report.issues[0].line, 0);
  EXPECT_NE(report.issues[0].detail.find(kWordFileName), std::string::npos);
  EXPECT_EQ(report.issues[1].file, DictionaryFile::kNames);
  EXPECT_EQ(dict_.phrases.size(), 2u);
}

TEST_F(LoadDictionaryTest, EmptySourcesAreSkippedAndTheLoadGoesOn) {
  Write(kWordFileName, "hleb\tkruh\r\n\tprazno\r\nmleko\tmlijeko\r\n");
  Write(kPhraseFileName, "#kad\r\nkad\tkada\r\n---\r\n");
  Write(kNameFileName, "\tnitko\r\nBeograd\tBelgrade\r\n");
  LoadReport report = Load();
  EXPECT_EQ(Issues(report), (std::vector<std::pair<Kind, std::int64_t>>{{Kind::kEmptySource, 2},
                                                                        {Kind::kEmptySource, 1}}));
  EXPECT_EQ(report.issues[0].file, DictionaryFile::kWords);
  EXPECT_EQ(report.issues[0].detail, "\tprazno");
  EXPECT_EQ(report.issues[1].file, DictionaryFile::kNames);
  EXPECT_EQ(dict_.words.Total(), 2);
  EXPECT_NE(FindWord(dict_, "mleko"), nullptr);
  EXPECT_EQ(dict_.phrases.size(), 2u);
  ASSERT_EQ(dict_.names.size(), 1u);
  EXPECT_EQ(dict_.names[0].source, "Beograd");
}

TEST(DictionaryLoader, FilesPhraseLinesWithGroupCounts) {
  using Entries = std::vector<std::pair<std::string, std::string>>;
  using IssueList = std::vector<std::pair<Kind, std::int64_t>>;
  struct Case {
    const char* name;
    std::vector<std::string> lines;
    Entries entries;
    IssueList issues;
  } cases[] = {
      {"group then subgroup",
       {"#kad", "kad\tkada", "kad god\tkadgod", "---", "##kada", "kada\tkad", "="},
       {{"#kad", "2"}, {"kad", "kada"}, {"kad god", "kadgod"}, {"#kada", "1"}, {"kada", "kad"}},
       {}},
      {"a group counts the subgroup headers inside it",
       {"#a", "x\ty", "##b", "p\tq", "=", "r\ts", "---"},
       {{"#a", "4"}, {"x", "y"}, {"#b", "1"}, {"p", "q"}, {"r", "s"}},
       {}},
      {"closing lines without an open header are ignored",
       {"p\tq", "=", "---", "#a", "----"},
       {{"p", "q"}, {"#a", "0"}},
       {{Kind::kStrayClose, 2}, {Kind::kStrayClose, 3}}},
      {"a second closing line counts again up to itself",
       {"##b", "p\tq", "=", "r\ts", "="},
       {{"#b", "2"}, {"p", "q"}, {"r", "s"}},
       {}},
      {"unclosed headers keep an empty target",
       {"#a", "p\tq", "##b", "r\ts", "#c", "---"},
       {{"#a", ""}, {"p", "q"}, {"#b", ""}, {"r", "s"}, {"#c", "0"}},
       {{Kind::kUnclosedGroup, 1}, {Kind::kUnclosedGroup, 3}}},
      {"blank phrase sources are skipped and not counted",
       {"#a", "\tx", "   \ty", " a \tz", "---"},
       {{"#a", "1"}, {" a ", "z"}},
       {{Kind::kBlankPhrase, 2}, {Kind::kBlankPhrase, 3}}},
      {"pair lines that look like control lines are pairs",
       {"#x\ty", "=\tz", "---\tw", "--", "plain text", "", "# \tv"},
       {{"#x", "y"}, {"=", "z"}, {"---", "w"}, {"# ", "v"}},
       {}},
  };
  for (const Case& c : cases) {
    Dictionary dict;
    DictionaryLoader loader(&dict);
    for (const std::string& line : c.lines) loader.AddPhraseLine(line);
    loader.FinishPhrases();
    EXPECT_EQ(Phrases(dict), c.entries) << c.name;
    EXPECT_EQ(Issues(loader.report()), c.issues) << c.name;
  }
}

TEST(DictionaryLoader, UnclosedHeadersAreReportedByTheirLines) {
  Dictionary dict;
  DictionaryLoader loader(&dict);
  for (std::string_view line : {"#kad", "kad\tkada", "##kada"}) loader.AddPhraseLine(line);
  loader.FinishPhrases();
  ASSERT_EQ(loader.report().issues.size(), 2u);
  EXPECT_EQ(loader.report().issues[0].detail, "#kad");
  EXPECT_EQ(loader.report().issues[1].detail, "##kada");
  EXPECT_EQ(loader.report().issues[1].line, 3);
}

TEST(DescribeLoadIssue, NamesFileLineAndProblemInCroatian) {
  struct Case {
    LoadIssue issue;
    std::string expected;
  } cases[] = {
      {{DictionaryFile::kPhrases, 12, Kind::kUnclosedGroup, "#kad"},
       "2_fraze.txt, redak 12: grupa \"#kad\" nije zatvorena (nedostaje \"---\"); njezini se "
       "parovi uvijek primjenjuju"},
      {{DictionaryFile::kPhrases, 3, Kind::kUnclosedGroup, "##kada"},
       "2_fraze.txt, redak 3: podgrupa \"##kada\" nije zatvorena (nedostaje \"=\"); njezini se "
       "parovi uvijek primjenjuju"},
      {{DictionaryFile::kWords, 7, Kind::kEmptySource, "\tx"},
       "1_rjecnik.txt, redak 7: par bez izvornika (redak po\350inje tabulatorom); presko\350en"},
      {{DictionaryFile::kNames, 0, Kind::kFileUnreadable, "/d/3_imena.txt: No such file"},
       "3_imena.txt: datoteka nije u\350itana (/d/3_imena.txt: No such file)"},
      {{DictionaryFile::kPhrases, 5, Kind::kStrayClose, "="},
       "2_fraze.txt, redak 5: zatvaranje \"=\" bez otvorene podgrupe; redak je zanemaren"},
  };
  for (const Case& c : cases) EXPECT_EQ(DescribeLoadIssue(c.issue), c.expected);
}

}  // namespace
}  // namespace lorvan
