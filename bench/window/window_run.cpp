// lorvan-window-run DICTIONARY_FOLDER FOLDER: a run of the translator's window, for timing
// beside the command line. It opens the main window (offscreen when QT_QPA_PLATFORM says so) on
// FOLDER with the dictionary of DICTIONARY_FOLDER, takes every file of the folder, clicks the
// translate button and exits when the run has ended.
#include <QApplication>
#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <cstdio>

#include "app/main_window.h"
#include "app/wait_window.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  if (argc != 3) {
    std::fprintf(stderr, "usage: lorvan-window-run DICTIONARY_FOLDER FOLDER\n");
    return 2;
  }
  lorvan::StopFlag stop;
  lorvan::WaitWindow statistics(stop);
  lorvan::MainWindow window(stop, statistics, lorvan::Locations{argv[1], argv[2]});
  window.show();
  if (!QTest::qWaitForWindowExposed(&window)) return 1;
  // The window starts with the first file selected; a click on it leaves none, which takes
  // every file of the folder.
  auto* files = window.findChild<QListWidget*>(QStringLiteral("filList"));
  if (files == nullptr || files->count() == 0) return 1;
  QTest::mouseClick(files->viewport(), Qt::LeftButton, {},
                    files->visualItemRect(files->item(0)).center());
  auto* translate = window.findChild<QPushButton*>(QStringLiteral("cmdFind"));
  if (translate == nullptr) return 1;
  QTest::mouseClick(translate, Qt::LeftButton);  // returns when the run has ended
  return 0;
}
