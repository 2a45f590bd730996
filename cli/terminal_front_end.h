// The run's front end on a terminal: a progress line on standard error, messages as lines on
// standard error, the read-only question answered from the options or asked on the terminal,
// and the stop request of Ctrl-C.
#pragma once

#include <chrono>
#include <cstdint>
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
    std::string folder;       // the folder the run starts in
  };

  // stop: set by the Ctrl-C handler.
  TerminalFrontEnd(Options options, const StopFlag& stop);
  ~TerminalFrontEnd() override;

  bool YieldAndTestStop() override { return stop_.IsSet(); }
  void FileStarted(const std::string& name) override;
  void ProgressPassed(int percent) override;
  void FileFinished() override;
  void ReportProblem(RunProblem problem, const std::string& path,
                     const std::string& detail) override;
  bool AskGoOnAfterWriteProtected(const std::string& path) override;
  void FolderEntered(const std::string& folder) override { folder_ = folder; }

 private:
  void Draw();
  void ClearLine();
  // "N files done  R MB/s": the files finished and the input bytes per second so far; the rate
  // once the run has taken long enough to measure it.
  std::string Throughput() const;

  const Options options_;
  const StopFlag& stop_;
  const std::chrono::steady_clock::time_point start_;
  std::string folder_;  // where the file in work lies
  std::string name_;
  int percent_ = 0;
  std::int64_t file_size_ = 0;       // of the file in work, 0 when it cannot be found
  std::int64_t bytes_finished_ = 0;  // the sizes of the files finished
  int files_finished_ = 0;
  bool drawn_ = false;
};

}  // namespace lorvan
