// The translate command: starts a run over a folder, or, while a run is going, asks that run
// to stop. A stop click arrives during the running run's yield, so Click is re-entered from
// inside the running Click.
#pragma once

#include <functional>
#include <memory>
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

  // Lets the runs translate up to jobs files, or blocks of a large file, at once, each thread
  // with substitutions of its own from make_substitutions. The outputs and what the front end
  // sees stay those of the one-thread run.
  void TranslateInParallel(int jobs,
                           std::function<std::unique_ptr<Substitutions>()> make_substitutions);

 private:
  const RunContext run_;
  StopFlag& stop_;
  RunCommandView& view_;
  bool running_ = false;
  int selected_count_ = 0;
  int jobs_ = 1;
  std::function<std::unique_ptr<Substitutions>()> make_substitutions_;
};

}  // namespace lorvan
