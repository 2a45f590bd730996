// The translate command: starts a run over the browser's folder, or, while a run is going
// (its caption then reads "STOP"), asks that run to stop. A stop click arrives during the
// running run's yield, so Click is re-entered from inside the running Click.
#pragma once

#include <string>
#include <vector>

#include "engine/substitutions.h"
#include "run/file_browser.h"
#include "run/file_system.h"
#include "run/run_driver.h"
#include "run/run_front_end.h"
#include "run/run_settings.h"
#include "run/stop_flag.h"

namespace lorvan {

inline constexpr char kIdleCaption[] = "Srb => Hrv";
inline constexpr char kStopCaption[] = "STOP";
inline constexpr char kDoneCaption[] = "A=>B";

class RunCommand {
 public:
  // REQUIRES: every reference outlives the command.
  RunCommand(const Substitutions& substitutions, const RunSettings& settings, StopFlag& stop,
             RunFrontEnd& front_end, FileSystem& files, FileBrowser& browser)
      : substitutions_(substitutions),
        settings_(settings),
        stop_(stop),
        front_end_(front_end),
        files_(files),
        browser_(browser) {}

  // A click on the translate button; mask is the text of the mask box. Returns what the run
  // this click started did.
  RunTally Click(const std::string& mask);

  const std::string& caption() const { return caption_; }
  // Number of files that were selected when the last run started.
  int selected_count() const { return static_cast<int>(multi_select_.size()); }

 private:
  void SetCaption(const std::string& caption);

  const Substitutions& substitutions_;
  const RunSettings& settings_;
  StopFlag& stop_;
  RunFrontEnd& front_end_;
  FileSystem& files_;
  FileBrowser& browser_;
  std::string caption_ = kIdleCaption;
  std::vector<std::string> multi_select_;  // the names selected when the run started
};

}  // namespace lorvan
