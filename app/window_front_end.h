// What a run shows and asks, in the main window: the translate button's caption, the file
// name and percentage labels, the progress bar, message boxes, and the yield that keeps the
// window alive (and lets a STOP click or Esc in) while the run goes on.
#pragma once

#include <QElapsedTimer>

#include "run/run_front_end.h"

class QLabel;
class QPushButton;
class QWidget;

namespace lorvan {

class BrowserView;
class ProgressBar;

// Pending events are processed at most this often while a run goes on.
inline constexpr int kYieldIntervalMs = 5;

// The controls a run writes to.
struct RunWidgets {
  QPushButton* find;     // cmdFind
  QLabel* file_name;     // lblImeDat
  QLabel* percent;       // lblPostotak
  ProgressBar* bar;      // cmdPicture
  BrowserView* browser;  // the mask box and the lists
  QWidget* window;       // parent of the message boxes
};

class WindowFrontEnd : public RunFrontEnd {
 public:
  // interval_ms: the least time between two rounds of event processing; 0 processes events
  // at every yield.
  explicit WindowFrontEnd(RunWidgets widgets, int interval_ms = kYieldIntervalMs);

  void ShowCaption(const std::string& caption) override;
  void ShowFileName(const std::string& name) override;
  void ShowPercent(const std::string& text) override;
  void ColourBar(int first, int last, BarColour colour) override;
  void ShowMask(const std::string& mask) override;
  void ShowMessage(const std::string& text) override;
  bool AskYesNo(const std::string& title, const std::string& text) override;
  // Processes pending events when interval_ms have passed since the last time. A click or
  // key is therefore handled before the run's next stop test, however the yield is throttled.
  void Yield() override;

 private:
  const RunWidgets widgets_;
  const qint64 interval_ns_;
  QElapsedTimer since_events_;
};

}  // namespace lorvan
