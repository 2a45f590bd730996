#include "app/window_front_end.h"

#include <QCoreApplication>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <algorithm>

#include "app/browser_view.h"
#include "app/look.h"
#include "app/progress_bar.h"
#include "run/run_messages.h"

namespace lorvan {
namespace {

constexpr char kApplicationTitle[] = "Vantir. Lorvan";
constexpr int kLastElement = kProgressElements - 1;  // each element stands for 5 percent
const QColor kGrey(192, 192, 192);
const QColor kBlue(0, 0, 255);
constexpr int kMaxNotices = 20;  // notices listed in the box at the end of a run

}  // namespace

WindowFrontEnd::WindowFrontEnd(RunWidgets widgets, const StopFlag& stop, int interval_ms)
    : widgets_(widgets), stop_(stop), interval_ns_(static_cast<qint64>(interval_ms) * 1000000) {}

bool WindowFrontEnd::YieldAndTestStop() {
  // The clock is read at every 16th yield only: on short lines reading it costs about as much
  // as translating the line.
  return Yield((++yields_ & 15) == 0 || interval_ns_ == 0);
}

bool WindowFrontEnd::YieldSeldomAndTestStop() { return Yield(/*clock_due=*/true); }

bool WindowFrontEnd::Yield(bool clock_due) {
  if (!since_events_.isValid() || (clock_due && since_events_.nsecsElapsed() >= interval_ns_)) {
    widgets_.browser->refreshIfMoved();
    QCoreApplication::processEvents();
    since_events_.start();
  }
  return stop_.IsSet();
}

void WindowFrontEnd::FileStarted(const std::string& name) {
  widgets_.file_name->setText(FromFileBytes(name));
  widgets_.bar->colour(0, kLastElement, kGrey);
  showPercent(0);
}

void WindowFrontEnd::ProgressPassed(int percent) {
  showPercent(percent);
  widgets_.bar->colour(0, std::min(percent / 5, kLastElement), kBlue);
}

void WindowFrontEnd::FileFinished() {
  widgets_.bar->colour(kLastElement, kLastElement, kBlue);
  showPercent(100);
}

// The run's messages hold file paths, which are the system's bytes.
void WindowFrontEnd::ReportProblem(RunProblem problem, const std::string& path,
                                   const std::string& detail) {
  switch (problem) {
    case RunProblem::kStoppedFile:
      // The name label still shows the file; the run's end says it was not finished.
      widgets_.percent->setText(QStringLiteral("prekinuto"));
      return;
    case RunProblem::kCyrillicWithoutOption:
    case RunProblem::kSkippedFile:
      // Notices are gathered and shown together when the run ends.
      notices_.push_back(FromFileBytes(ProblemText(problem, path, detail)));
      return;
    default:
      break;
  }
  QMessageBox box(QMessageBox::NoIcon, QString::fromLatin1(kApplicationTitle),
                  FromFileBytes(ProblemText(problem, path, detail)), QMessageBox::Ok,
                  widgets_.window);
  box.exec();
}

bool WindowFrontEnd::AskGoOnAfterWriteProtected(const std::string& path) {
  return QMessageBox::question(widgets_.window, QString::fromLatin1(kWriteProtectedTitle),
                               FromFileBytes(WriteProtectedQuestion(path)),
                               QMessageBox::Yes | QMessageBox::No) == QMessageBox::Yes;
}

void WindowFrontEnd::FolderEntered(const std::string& folder) {
  widgets_.browser->followRunFolder(folder);
}

void WindowFrontEnd::MaskSet(const std::string& mask) { widgets_.browser->followRunMask(mask); }

void WindowFrontEnd::RunStarted() {
  notices_.clear();
  widgets_.find->setText(QString::fromLatin1(kStopCaption));
}

void WindowFrontEnd::RunEnded() {
  widgets_.bar->colour(0, kLastElement, kGrey);
  widgets_.find->setText(QString::fromLatin1(kDoneCaption));
  if (notices_.isEmpty()) return;
  QStringList shown = notices_.mid(0, kMaxNotices);
  if (notices_.size() > kMaxNotices)
    shown << QStringLiteral("… i još %1").arg(notices_.size() - kMaxNotices);
  notices_.clear();
  QMessageBox box(QMessageBox::Information, QString::fromLatin1(kApplicationTitle),
                  shown.join(QStringLiteral("\n")), QMessageBox::Ok, widgets_.window);
  box.exec();
}

void WindowFrontEnd::showPercent(int percent) {
  widgets_.percent->setText(QString::number(percent) + QStringLiteral(" %"));
}

}  // namespace lorvan
