#include "app/escape_filter.h"

#include <QCoreApplication>
#include <QKeyEvent>
#include <QWidget>

namespace lorvan {

EscapeFilter::EscapeFilter(StopFlag& stop, QWidget* window)
    : QObject(window), stop_(stop), window_(window) {
  QCoreApplication::instance()->installEventFilter(this);
}

bool EscapeFilter::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() != QEvent::KeyPress || !watched->isWidgetType()) return false;
  if (static_cast<QWidget*>(watched)->window() != window_) return false;
  if (static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape) stop_.Set();
  return false;
}

}  // namespace lorvan
