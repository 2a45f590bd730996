// The run's front end on a terminal: a progress line on standard error, messages as lines on
// standard error, the read-only question answered from the options or asked on the terminal,
// and the stop request of Ctrl-C.
#pragma once

#include <string>
#include <string_view>

#include "run/run_front_end.h"
#include "run/stop_flag.h"

namespace lorvan {

// text fit to be shown on a terminal: every control character (a byte below 0x20, or 0x7F)
// written as \xNN, so that a file name cannot move the cursor or change colours.
std::string TerminalSafe(std::string_view text);

class TerminalFrontEnd : public RunFrontEnd {
 public:
  struct Options {
    bool quiet = false;       // no progress, no messages but errors
    bool progress = false;    // draw the progress line (standard error is a terminal)
    bool always_yes = false;  // answer Yes to every question without asking
    bool can_ask = false;     // standard input is a terminal to ask on
  };

  // stop: set by the Ctrl-C handler.
  TerminalFrontEnd(Options options, const StopFlag& stop) : options_(options), stop_(stop) {}
  ~TerminalFrontEnd() override;

  bool YieldAndTestStop() override { return stop_.IsSet(); }
  void FileStarted(const std::string& name) override;
  void ProgressPassed(int percent) override;
  void FileFinished() override { ProgressPassed(100); }
  void ReportProblem(RunProblem problem, const std::string& path,
                     const std::string& detail) override;
  bool AskGoOnAfterWriteProtected(const std::string& path) override;

 private:
  void Draw();
  void ClearLine();

  const Options options_;
  const StopFlag& stop_;
  std::string name_;
  int percent_ = 0;
  bool drawn_ = false;
};

}  // namespace lorvan
