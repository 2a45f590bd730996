#include "app/logo.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

namespace lorvan {

// A blue tile, darker at the bottom like the loading window, with a white "L" and a yellow
// arrow turning it into a second letter.
QPixmap DrawLogo(QSize size) {
  QPixmap pixmap(size);
  pixmap.fill(Qt::transparent);
  QPainter painter(&pixmap);
  painter.setRenderHint(QPainter::Antialiasing);
  painter.scale(size.width() / 28.0, size.height() / 35.0);

  QLinearGradient gradient(0, 0, 0, 35);
  gradient.setColorAt(0, QColor(50, 50, 60));
  gradient.setColorAt(1, QColor(50, 50, 255));
  painter.setPen(Qt::NoPen);
  painter.setBrush(gradient);
  painter.drawRoundedRect(QRectF(0.5, 0.5, 27, 34), 4, 4);

  painter.setBrush(Qt::white);
  painter.drawRect(QRectF(6, 6, 4, 20));
  painter.drawRect(QRectF(6, 22, 11, 4));

  QPainterPath arrow;
  arrow.moveTo(14, 12);
  arrow.lineTo(20, 12);
  arrow.lineTo(20, 9);
  arrow.lineTo(25, 14.5);
  arrow.lineTo(20, 20);
  arrow.lineTo(20, 17);
  arrow.lineTo(14, 17);
  arrow.closeSubpath();
  painter.setBrush(QColor(255, 255, 0));
  painter.drawPath(arrow);
  return pixmap;
}

}  // namespace lorvan
