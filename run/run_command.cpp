#include "run/run_command.h"

namespace lorvan {

RunTally RunCommand::Click(const std::string& mask) {
  multi_select_.clear();
  if (caption_ == kStopCaption) {
    stop_.Set();
  } else {
    stop_.Clear();
  }
  SetCaption(kStopCaption);
  multi_select_ = browser_.SelectedNames();
  browser_.SetMask(mask);

  RunDriver driver(substitutions_, settings_, stop_, front_end_, files_, browser_, multi_select_);
  driver.TranslateFolder(browser_.folder(), "");

  browser_.Reread();  // shows where the run ended, with the files just written
  front_end_.ColourBar(0, kBarElements - 1, BarColour::kGrey);
  SetCaption(kDoneCaption);
  return driver.tally();
}

void RunCommand::SetCaption(const std::string& caption) {
  caption_ = caption;
  front_end_.ShowCaption(caption_);
}

}  // namespace lorvan
