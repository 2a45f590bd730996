// The translate command: starts a run over a folder, or, while a run is going, asks that run
// to stop. A stop click arrives during the running run's yield, so Click is re-entered from
// inside the running Click.
#pragma once

#include <string>
#include <vector>

#include "run/run_context.h"
#include "run/run_driver.h"
#include "run/stop_flag.h"

namespace lorvan {

// What the command shows on its button and bar.
class RunCommandView {
 public:
  virtual ~RunCommandView() = default;
  // A run begins: the button now stops it.
  virtual void RunStarted() = 0;
  // The run that began last has ended: the progress bar is cleared.
  virtual void RunEnded() = 0;
};

class RunCommand {
 public:
  // stop is the request the front end's yield reports; the command sets and clears it.
  RunCommand(const RunContext& run, StopFlag& stop, RunCommandView& view)
      : run_(run), stop_(stop), view_(view) {}

  // A click on the translate button: folder is the folder the lists show, selected the names
  // selected in it, mask the text of the mask box. Returns what the run this click started did.
  RunTally Click(const std::string& folder, std::vector<std::string> selected,
                 const std::string& mask);

  // True from a click until the run it started has ended.
  bool running() const { return running_; }
  // Number of files that were selected when the last run started.
  int selected_count() const { return selected_count_; }

 private:
  const RunContext run_;
  StopFlag& stop_;
  RunCommandView& view_;
  bool running_ = false;
  int selected_count_ = 0;
};

}  // namespace lorvan
