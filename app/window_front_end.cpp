#include "app/window_front_end.h"

#include <QCoreApplication>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>

#include "app/browser_view.h"
#include "app/look.h"
#include "app/progress_bar.h"

namespace lorvan {
namespace {

constexpr char kApplicationTitle[] = "Vantir. Lorvan";

}  // namespace

WindowFrontEnd::WindowFrontEnd(RunWidgets widgets, int interval_ms)
    : widgets_(widgets), interval_ns_(static_cast<qint64>(interval_ms) * 1000000) {}

void WindowFrontEnd::ShowCaption(const std::string& caption) {
  widgets_.find->setText(QString::fromStdString(caption));
}

void WindowFrontEnd::ShowFileName(const std::string& name) {
  widgets_.file_name->setText(FromFileBytes(name));
}

void WindowFrontEnd::ShowPercent(const std::string& text) {
  widgets_.percent->setText(QString::fromStdString(text));
}

void WindowFrontEnd::ColourBar(int first, int last, BarColour colour) {
  widgets_.bar->colour(first, last,
                       colour == BarColour::kBlue ? QColor(0, 0, 255) : QColor(192, 192, 192));
}

void WindowFrontEnd::ShowMask(const std::string& mask) {
  widgets_.browser->setMaskText(FromFileBytes(mask));
}

// The run's messages hold file paths, which are the system's bytes.
void WindowFrontEnd::ShowMessage(const std::string& text) {
  QMessageBox box(QMessageBox::NoIcon, QString::fromLatin1(kApplicationTitle), FromFileBytes(text),
                  QMessageBox::Ok, widgets_.window);
  box.exec();
}

bool WindowFrontEnd::AskYesNo(const std::string& title, const std::string& text) {
  return QMessageBox::question(widgets_.window, FromFileBytes(title), FromFileBytes(text),
                               QMessageBox::Yes | QMessageBox::No) == QMessageBox::Yes;
}

void WindowFrontEnd::Yield() {
  if (since_events_.isValid() && since_events_.nsecsElapsed() < interval_ns_) return;
  widgets_.browser->refreshIfMoved();
  QCoreApplication::processEvents();
  since_events_.start();
}

}  // namespace lorvan
