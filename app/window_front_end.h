// What a run shows and asks, in the main window: the translate button's caption, the file
// name and percentage labels, the progress bar, the lists following the walk, message boxes,
// and the yield that keeps the window alive (and lets a STOP click or Esc in) while the run
// goes on.
#pragma once

#include <QElapsedTimer>
#include <QStringList>

#include "run/run_command.h"
#include "run/run_front_end.h"
#include "run/stop_flag.h"

class QLabel;
class QPushButton;
class QWidget;

namespace lorvan {

class BrowserView;
class ProgressBar;

// Pending events are processed at most this often while a run goes on.
inline constexpr int kYieldIntervalMs = 5;

// Captions of the translate button: before the first run, while a run goes on, after a run.
inline constexpr char kIdleCaption[] = "Srb => Hrv";
inline constexpr char kStopCaption[] = "STOP";
inline constexpr char kDoneCaption[] = "A=>B";

// The controls a run writes to.
struct RunWidgets {
  QPushButton* find;     // cmdFind
  QLabel* file_name;     // lblImeDat
  QLabel* percent;       // lblPostotak
  ProgressBar* bar;      // cmdPicture
  BrowserView* browser;  // the mask box and the lists
  QWidget* window;       // parent of the message boxes
};

class WindowFrontEnd : public RunFrontEnd, public RunCommandView {
 public:
  // stop: the request a STOP click or Esc sets. interval_ms: the least time between two
  // rounds of event processing; 0 processes events at every yield.
  WindowFrontEnd(RunWidgets widgets, const StopFlag& stop, int interval_ms = kYieldIntervalMs);

  // Processes pending events when interval_ms have passed since the last time. A click or
  // key is therefore handled before the run's next stop test, however the yield is throttled.
  bool YieldAndTestStop() override;
  // The same, with the clock read at every call.
  bool YieldSeldomAndTestStop() override;
  void FileStarted(const std::string& name) override;
  void ProgressPassed(int percent) override;
  void FileFinished() override;
  void ReportProblem(RunProblem problem, const std::string& path,
                     const std::string& detail) override;
  bool AskGoOnAfterWriteProtected(const std::string& path) override;
  void FolderEntered(const std::string& folder) override;
  void MaskSet(const std::string& mask) override;

  void RunStarted() override;
  void RunEnded() override;

 private:
  // Processes pending events when the clock is due to be read and the interval has passed.
  bool Yield(bool clock_due);
  void showPercent(int percent);

  const RunWidgets widgets_;
  const StopFlag& stop_;
  const qint64 interval_ns_;
  QElapsedTimer since_events_;
  unsigned yields_ = 0;
  QStringList notices_;  // the run's notices (files skipped or left untranslated), shown at its end
};

}  // namespace lorvan
