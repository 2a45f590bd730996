// Qt's own texts (the buttons of message boxes, the menus of text fields) in Croatian, from the
// translation the system installs with Qt (Debian: qt6-translations-l10n).
#pragma once

class QCoreApplication;

namespace lorvan {

// Installs Qt's Croatian translation into app; returns false, and leaves Qt's English texts,
// when the system has no such translation.
bool InstallQtCroatian(QCoreApplication* app);

}  // namespace lorvan
