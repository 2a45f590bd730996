// Sizes, fonts and colours of the two windows: twips turned into pixels, the named fonts with
// the nearest installed ones behind them, and button colours.
#pragma once

#include <QColor>
#include <QFont>
#include <QRect>
#include <QString>
#include <string>

class QAbstractButton;
class QWidget;

namespace lorvan {

inline constexpr int kTwipsPerPixel = 15;

// twips in whole pixels, rounded to the nearest.
constexpr int Twips(int twips) { return (twips + kTwipsPerPixel / 2) / kTwipsPerPixel; }
// A rectangle given in twips: left, top, width, height.
QRect TwipsRect(int left, int top, int width, int height);

// "MS Sans Serif", else the nearest installed sans-serif face.
QFont SansFont(double points, bool bold = false);
// "Times New Roman", else the nearest installed serif face.
QFont SerifFont(double points, bool bold = false);
// "Courier", else the nearest installed monospaced face.
QFont MonoFont(double points);

// Gives a button its background colour.
void SetButtonColour(QAbstractButton* button, const QColor& colour);
// Gives a command button its background colour exactly: Fusion paints a palette colour
// lighter and paler, but a style sheet with a border of its own as it is. The button keeps
// Fusion's outline, its highlighted outline when it has the focus and a darker face when down.
void SetCommandColour(QAbstractButton* button, const QColor& colour);
// The background colour a button shows.
QColor ButtonColour(const QAbstractButton* button);
// Gives a widget's text its colour.
void SetTextColour(QWidget* widget, const QColor& colour);

// Windows-1250 text from the core as a string to show; CR LF line ends become LF.
QString FromCp1250(const std::string& text);
// A file name, or any text holding file names, as the system gives its bytes (UTF-8).
QString FromFileBytes(const std::string& bytes);
// A file name or mask as the bytes the system expects.
std::string ToFileBytes(const QString& text);

}  // namespace lorvan
