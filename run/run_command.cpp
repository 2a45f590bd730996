#include "run/run_command.h"

namespace lorvan {

RunTally RunCommand::Click(const std::string& folder, std::vector<std::string> selected,
                           const std::string& mask) {
  // A click while a run goes on stops it; the click still starts its own (empty) run, which
  // ends at its first yield.
  if (running_) {
    stop_.Set();
  } else {
    stop_.Clear();
  }
  running_ = true;
  view_.RunStarted();
  selected_count_ = static_cast<int>(selected.size());

  RunDriver driver(run_, std::move(selected), mask);
  if (jobs_ > 1 && make_substitutions_) driver.TranslateInParallel(jobs_, make_substitutions_);
  RunTally tally = driver.TranslateFolder(folder);

  view_.RunEnded();
  running_ = false;
  return tally;
}

void RunCommand::TranslateInParallel(
    int jobs, std::function<std::unique_ptr<Substitutions>()> make_substitutions) {
  jobs_ = jobs;
  make_substitutions_ = std::move(make_substitutions);
}

}  // namespace lorvan
