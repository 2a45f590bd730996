// A label that reports a click (a mouse button released over it).
#pragma once

#include <QLabel>
#include <QMouseEvent>

namespace lorvan {

class ClickableLabel : public QLabel {
  Q_OBJECT

 public:
  using QLabel::QLabel;

 Q_SIGNALS:
  void clicked();

 protected:
  void mouseReleaseEvent(QMouseEvent* event) override {
    QLabel::mouseReleaseEvent(event);
    if (rect().contains(event->position().toPoint())) Q_EMIT clicked();
  }
};

}  // namespace lorvan
