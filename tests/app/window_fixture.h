// A main window for a test: a temporary folder with the given files, the test dictionary, a
// loading window as the statistics window, and the main window started in the folder.
#pragma once

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QString>
#include <QTemporaryDir>
#include <QTest>
#include <memory>
#include <utility>
#include <vector>

#include "app/main_window.h"
#include "app/wait_window.h"

namespace lorvan::testing {

struct TestFile {
  QString name;  // may hold subfolders: "sub/a.txt"
  QByteArray bytes;
};

class WindowFixture {
 public:
  explicit WindowFixture(const std::vector<TestFile>& files) {
    for (const TestFile& file : files) Write(file.name, file.bytes);
    wait_ = std::make_unique<WaitWindow>(stop_);
    window_ = std::make_unique<MainWindow>(
        stop_, *wait_,
        Locations{LORVAN_TEST_DICTIONARY_DIR, QFile::encodeName(dir_.path()).toStdString()});
    window_->show();
    window_->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(window_.get()));
  }

  void Write(const QString& name, const QByteArray& bytes) {
    QString path = dir_.filePath(name);
    QDir().mkpath(QFileInfo(path).path());
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(bytes);
  }

  // The bytes of a file of the folder; empty when it is missing.
  QByteArray Read(const QString& name) const {
    QFile file(dir_.filePath(name));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
  }
  bool Exists(const QString& name) const { return QFile::exists(dir_.filePath(name)); }
  QString path() const { return dir_.path(); }

  template <typename T>
  T* Find(const char* name) const {
    T* widget = window_->findChild<T*>(QString::fromLatin1(name));
    if (widget == nullptr) widget = wait_->findChild<T*>(QString::fromLatin1(name));
    return widget;
  }

  MainWindow& window() { return *window_; }
  StopFlag& stop() { return stop_; }

 private:
  QTemporaryDir dir_;
  StopFlag stop_;
  std::unique_ptr<WaitWindow> wait_;
  std::unique_ptr<MainWindow> window_;
};

}  // namespace lorvan::testing
