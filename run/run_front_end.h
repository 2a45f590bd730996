// What a run shows and asks while it goes: the window, the terminal and the tests each supply
// their own.
#pragma once

#include <string>

namespace lorvan {

// Colours of the progress bar's elements.
enum class BarColour { kGrey, kBlue };  // RGB(192, 192, 192) and RGB(0, 0, 255)

inline constexpr int kBarElements = 20;  // elements 0 to 19 each stand for 5 percent

class RunFrontEnd {
 public:
  virtual ~RunFrontEnd() = default;

  // The caption of the translate button: "Srb => Hrv", "STOP" or "A=>B".
  virtual void ShowCaption(const std::string& caption) = 0;
  // The bare name of the file in work.
  virtual void ShowFileName(const std::string& name) = 0;
  // The percentage text, "0 %" to "100 %".
  virtual void ShowPercent(const std::string& text) = 0;
  // Gives the bar elements first to last (both included) colour.
  virtual void ColourBar(int first, int last, BarColour colour) = 0;
  // The mask the run has set (the name of the one selected file).
  virtual void ShowMask(const std::string& mask) = 0;
  // A message with an OK button, titled with the application's title.
  virtual void ShowMessage(const std::string& text) = 0;
  // A Yes/No question with the question icon, titled title; true for Yes.
  virtual bool AskYesNo(const std::string& title, const std::string& text) = 0;
  // Lets the front end process what is pending (clicks, keys, repaints).
  virtual void Yield() = 0;
};

}  // namespace lorvan
