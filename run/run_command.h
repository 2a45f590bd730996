// The translate command: starts a run over the browser's folder, or, while a run is going
// (its caption then reads "STOP"), asks that run to stop. A stop click arrives during the
// running run's yield, so Click is re-entered from inside the running Click.
#pragma once

#include <string>
#include <vector>

#include "run/run_context.h"
#include "run/run_driver.h"

namespace lorvan {

inline constexpr char kIdleCaption[] = "Srb => Hrv";
inline constexpr char kStopCaption[] = "STOP";
inline constexpr char kDoneCaption[] = "A=>B";

class RunCommand {
 public:
  explicit RunCommand(const RunContext& run) : run_(run) {}

  // A click on the translate button; mask is the text of the mask box. Returns what the run
  // this click started did.
  RunTally Click(const std::string& mask);

  const std::string& caption() const { return caption_; }
  // Number of files that were selected when the last run started.
  int selected_count() const { return static_cast<int>(multi_select_.size()); }

 private:
  void SetCaption(const std::string& caption);

  const RunContext run_;
  std::string caption_ = kIdleCaption;
  std::vector<std::string> multi_select_;  // the names selected when the run started
};

}  // namespace lorvan
