#include "run/file_pipeline.h"

#include <gtest/gtest.h>

#include "tests/core/fake_substitutions.h"

namespace lorvan {
namespace {

// Stops before line number stop_before (1-based; 0 never) and records the progress steps.
class RecordingHooks : public LineHooks {
 public:
  explicit RecordingHooks(int stop_before = 0) : stop_before_(stop_before) {}
  bool YieldAndTestStop() override { return ++yields_ == stop_before_; }
  void LineDone(std::int64_t char_pos) override { steps_.push_back(char_pos); }

  int yields_ = 0;
  std::vector<std::int64_t> steps_;

 private:
  int stop_before_;
};

TEST(FilePipeline, TranslatesEveryLineReportsEachStepAndStopsBeforeTheNext) {
  testing::FakeSubstitutions subs;
  subs.Add("hleb", "kruh");
  LineTranslator translator(subs, {});
  FolderPassState state;
  RecordingHooks hooks;
  std::string out;
  EXPECT_EQ(TranslateText("hleb\r\n\r\nx\rab\r\n", translator, state, hooks, &out),
            FileOutcome::kTranslated);
  EXPECT_EQ(out, "kruh\r\n\r\nx\r\nab\r\n");
  EXPECT_EQ(hooks.yields_, 4);
  EXPECT_EQ(hooks.steps_, (std::vector<std::int64_t>{6, 0, 1, 4}));

  RecordingHooks none, stop_second(2);
  EXPECT_EQ(TranslateText("", translator, state, none, &out), FileOutcome::kTranslated);
  EXPECT_EQ(out, "");
  EXPECT_EQ(none.yields_, 0);
  EXPECT_EQ(TranslateText("hleb\r\nhleb\r\n", translator, state, stop_second, &out),
            FileOutcome::kStopped);
  EXPECT_EQ(out, "kruh\r\n");

  // In a file's own line ends, each step counts the line's bytes with its end.
  RecordingHooks own_ends;
  EXPECT_EQ(TranslateLines("hleb\nx\r\n\rab", {}, translator, state, own_ends, &out),
            FileOutcome::kTranslated);
  EXPECT_EQ(out, "kruh\nx\r\n\rab");
  EXPECT_EQ(own_ends.steps_, (std::vector<std::int64_t>{5, 3, 1, 2}));
}

}  // namespace
}  // namespace lorvan
