// Key preview for Esc: sets the stop flag when Esc is pressed anywhere in a window, whichever
// of its controls has the focus. The key still reaches the control.
#pragma once

#include <QObject>

#include "run/stop_flag.h"

class QWidget;

namespace lorvan {

class EscapeFilter : public QObject {
 public:
  // Watches the key presses of window and all its controls.
  // REQUIRES: stop and window outlive the filter.
  EscapeFilter(StopFlag& stop, QWidget* window);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  StopFlag& stop_;
  QWidget* const window_;
};

}  // namespace lorvan
