// lorvan: the translator's window. The loading window comes first; its timer loads the main
// window, which reads the dictionary from the program's folder.
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QTimer>
#include <memory>

#include "app/main_window.h"
#include "app/qt_croatian.h"
#include "app/wait_window.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QApplication::setStyle(QStringLiteral("Fusion"));
  lorvan::InstallQtCroatian(&app);                 // message box buttons "U redu", "Da", "Ne"
  QApplication::setQuitOnLastWindowClosed(false);  // the main window ends the program

  lorvan::StopFlag stop;
  lorvan::WaitWindow wait_window(stop);
  std::unique_ptr<lorvan::MainWindow> main_window;
  QObject::connect(&wait_window, &lorvan::WaitWindow::loadMainWindow, [&] {
    lorvan::Locations locations{
        QFile::encodeName(QCoreApplication::applicationDirPath()).toStdString(),
        QFile::encodeName(QDir::currentPath()).toStdString()};
    main_window = std::make_unique<lorvan::MainWindow>(stop, wait_window, locations);
    main_window->show();
    QTimer::singleShot(0, main_window.get(), &lorvan::MainWindow::reportLoadIssues);
  });
  wait_window.show();
  return app.exec();
}
