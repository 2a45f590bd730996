#include "app/about.h"

#include <QDesktopServices>
#include <QMessageBox>
#include <QProcess>

namespace lorvan {
namespace {

// The software page, on the project's second host (for the desktop's opener) and on its main
// host (for the browser commands).
constexpr char kPageOnSecondHost[] = "https://lorvan.example.org/prevoditelj/";
constexpr char kPageOnMainHost[] = "https://www.example.org/lorvan/prevoditelj/";

// Browser commands tried in order when the desktop's opener fails.
const char* const kBrowsers[] = {"firefox", "chromium", "google-chrome"};

}  // namespace

QString WebAddress() { return QStringLiteral("www.example.org/lorvan"); }

QString AboutText() {
  const QString lines[] = {
      QStringLiteral("Lorvan prevoditelj 1.5"),
      QString(),
      QStringLiteral("Lorvan razvojni tim"),
      QStringLiteral("Zajednica slobodnog softvera"),
      QStringLiteral("Radna skupina za jezične alate"),
      QStringLiteral("Poštanski pretinac 1, 10000 Primjerovo"),
      QString(),
      QStringLiteral("    lorvan@example.org"),
      QString(),
      WebAddress(),
      QString(),
      QStringLiteral("© 2014. – 2025. Lorvan razvojni tim"),
      QString(41, QLatin1Char('_')),
      QString(),
      QStringLiteral("Ovaj program je slobodan softver: smijete ga dijeliti"),
      QStringLiteral("i mijenjati pod uvjetima licence GNU GPL, verzije 3"),
      QStringLiteral("ili (po vlastitom izboru) bilo koje kasnije verzije."),
  };
  QString text;
  for (const QString& line : lines) text += line + QStringLiteral("\r\n");
  return text;
}

void ShowAbout(QWidget* parent) {
  QMessageBox::information(parent, QStringLiteral("Vantir. Lorvan"), AboutText());
}

void OpenSoftwarePage(const OpenUrl& open_url, const LaunchProgram& launch) {
  try {
    if (open_url(QUrl(QString::fromLatin1(kPageOnSecondHost)))) return;
    for (const char* browser : kBrowsers) {
      if (launch(QString::fromLatin1(browser), {QString::fromLatin1(kPageOnMainHost)})) return;
    }
  } catch (...) {
    // The link never troubles the user.
  }
}

void OpenSoftwarePage() {
  OpenSoftwarePage([](const QUrl& url) { return QDesktopServices::openUrl(url); },
                   [](const QString& program, const QStringList& arguments) {
                     return QProcess::startDetached(program, arguments);
                   });
}

}  // namespace lorvan
