// The run's front end on a terminal: a progress line on standard error, messages as lines on
// standard error, the read-only question answered from the options or asked on the terminal.
#pragma once

#include <string>

#include "run/run_front_end.h"

namespace lorvan {

class TerminalFrontEnd : public RunFrontEnd {
 public:
  struct Options {
    bool quiet = false;       // no progress, no messages but errors
    bool progress = false;    // draw the progress line (standard error is a terminal)
    bool always_yes = false;  // answer Yes to every question without asking
    bool can_ask = false;     // standard input is a terminal to ask on
  };

  explicit TerminalFrontEnd(Options options) : options_(options) {}
  ~TerminalFrontEnd() override;

  void ShowCaption(const std::string&) override {}
  void ShowFileName(const std::string& name) override;
  void ShowPercent(const std::string& text) override;
  void ColourBar(int, int, BarColour) override {}
  void ShowMask(const std::string&) override {}
  void ShowMessage(const std::string& text) override;
  bool AskYesNo(const std::string& title, const std::string& text) override;
  void Yield() override {}

 private:
  void Draw();
  void ClearLine();

  const Options options_;
  std::string name_;
  std::string percent_;
  bool drawn_ = false;
};

}  // namespace lorvan
