// The About box and the web link of the main window.
#pragma once

#include <QString>
#include <QStringList>
#include <QUrl>
#include <functional>

class QWidget;

namespace lorvan {

// The web address the link label shows.
QString WebAddress();

// The About text: 17 lines, each followed by CR LF.
QString AboutText();

// Shows the About box (title "Vantir. Lorvan", information icon, OK) and returns when the user
// closes it.
void ShowAbout(QWidget* parent);

// Hands a URL to the desktop's own opener; false when it could not.
using OpenUrl = std::function<bool(const QUrl& url)>;
// Starts program with arguments without waiting for it; false when it could not be started.
using LaunchProgram = std::function<bool(const QString& program, const QStringList& arguments)>;

// Opens the software page: through the desktop's opener first, then through the browser
// commands in order, up to the first one that starts. Tells the user nothing, whatever happens.
void OpenSoftwarePage(const OpenUrl& open_url, const LaunchProgram& launch);
// The same through the desktop services and detached processes.
void OpenSoftwarePage();

}  // namespace lorvan
