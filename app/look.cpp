#include "app/look.h"

#include <QAbstractButton>
#include <QFile>
#include <QPalette>
#include <QStringList>
#include <QWidget>

#include "common/text_file.h"
#include "encoding/display_text.h"

namespace lorvan {
namespace {

QFont FontOf(const QStringList& families, QFont::StyleHint hint, double points, bool bold) {
  QFont font;
  font.setFamilies(families);
  font.setStyleHint(hint);
  font.setPointSizeF(points);
  font.setBold(bold);
  return font;
}

}  // namespace

QRect TwipsRect(int left, int top, int width, int height) {
  return QRect(Twips(left), Twips(top), Twips(width), Twips(height));
}

QFont SansFont(double points, bool bold) {
  return FontOf({"MS Sans Serif", "Liberation Sans", "DejaVu Sans"}, QFont::SansSerif, points,
                bold);
}

QFont SerifFont(double points, bool bold) {
  return FontOf({"Times New Roman", "Liberation Serif", "DejaVu Serif"}, QFont::Serif, points,
                bold);
}

QFont MonoFont(double points) {
  return FontOf({"Courier", "Courier New", "Liberation Mono", "DejaVu Sans Mono"}, QFont::Monospace,
                points, false);
}

void SetButtonColour(QAbstractButton* button, const QColor& colour) {
  QPalette palette = button->palette();
  palette.setColor(QPalette::Button, colour);
  button->setPalette(palette);
}

void SetCommandColour(QAbstractButton* button, const QColor& colour) {
  SetButtonColour(button, colour);
  const QColor outline = button->palette().color(QPalette::Window).darker(140);
  button->setStyleSheet(
      QStringLiteral(
          "QPushButton { background-color: %1; border: 1px solid %2; border-radius: 2px; }"
          "QPushButton:focus { border-color: palette(highlight); }"
          "QPushButton:pressed { background-color: %3; }")
          .arg(colour.name(), outline.name(), colour.darker(110).name()));
}

QColor ButtonColour(const QAbstractButton* button) {
  return button->palette().color(QPalette::Button);
}

void SetTextColour(QWidget* widget, const QColor& colour) {
  QPalette palette = widget->palette();
  palette.setColor(QPalette::WindowText, colour);
  widget->setPalette(palette);
}

QString FromCp1250(const std::string& text) {
  return QString::fromStdString(Cp1250ToUtf8(CrLfToLf(text)));
}

QString FromFileBytes(const std::string& bytes) {
  return QFile::decodeName(QByteArray::fromStdString(CrLfToLf(bytes)));
}

std::string ToFileBytes(const QString& text) { return QFile::encodeName(text).toStdString(); }

}  // namespace lorvan
