// frmWait: the loading window shown while the dictionary is read, which then becomes the
// statistics window with the word pairs per letter.
#pragma once

#include <QTimer>
#include <QWidget>
#include <array>
#include <cstdint>

#include "dictionary/statistics.h"
#include "run/stop_flag.h"

class QLabel;
class QTextEdit;

namespace lorvan {

class EscapeFilter;

class WaitWindow : public QWidget {
  Q_OBJECT

 public:
  // Paints the splash and starts Timer1. Esc in the window sets stop.
  // REQUIRES: stop outlives the window.
  explicit WaitWindow(StopFlag& stop, QWidget* parent = nullptr);

  // Shows the number of dictionary lines read so far, painted at once.
  void showLineCount(std::int64_t count);
  // Fills the two statistics boxes.
  void showStatistics(const StatisticsTexts& texts);

 Q_SIGNALS:
  // Timer1 has ticked: the main window is to be loaded and shown now.
  void loadMainWindow();

 protected:
  void paintEvent(QPaintEvent* event) override;

 private Q_SLOTS:
  void onLoadTimerTick();

 private:
  void createWidgets();
  // Sets the outer height in twips (the title bar included).
  void setOuterHeight(int twips);

  QLabel* heading_label_;
  QLabel* subheading_label_;
  QLabel* lbl_rjecnik_;
  QLabel* copyright_label_;
  std::array<QTextEdit*, 2> txt_statistika_;
  QTimer load_timer_;
  EscapeFilter* escape_filter_;
};

}  // namespace lorvan
