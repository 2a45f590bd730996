#include "run/run_command.h"

namespace lorvan {

RunTally RunCommand::Click(const std::string& mask) {
  multi_select_.clear();
  if (caption_ == kStopCaption) {
    run_.stop.Set();
  } else {
    run_.stop.Clear();
  }
  SetCaption(kStopCaption);
  multi_select_ = run_.browser.SelectedNames();
  run_.browser.SetMask(mask);

  RunDriver driver(run_, multi_select_);
  driver.TranslateFolder(run_.browser.folder(), "");

  run_.browser.Reread();  // shows where the run ended, with the files just written
  run_.front_end.ColourBar(0, kBarElements - 1, BarColour::kGrey);
  SetCaption(kDoneCaption);
  return driver.tally();
}

void RunCommand::SetCaption(const std::string& caption) {
  caption_ = caption;
  run_.front_end.ShowCaption(caption_);
}

}  // namespace lorvan
