// Start-up through the loading window: its timer loads the main window, then it becomes the
// statistics window, which a click on the main window's file label shows again.
#include <QLabel>
#include <QTest>
#include <QTextEdit>
#include <memory>

#include "app/clickable_label.h"
#include "app/main_window.h"
#include "app/wait_window.h"

namespace {

constexpr int kSplashClientHeight = 161;      // 2925 twips less the title bar
constexpr int kStatisticsClientHeight = 342;  // 5640 twips less the title bar

}  // namespace

class StartUpTest : public QObject {
  Q_OBJECT

 private Q_SLOTS:
  void loadingWindowBecomesStatisticsWindow();
};

void StartUpTest::loadingWindowBecomesStatisticsWindow() {
  lorvan::StopFlag stop;
  lorvan::WaitWindow wait(stop);
  std::unique_ptr<lorvan::MainWindow> window;
  QObject::connect(&wait, &lorvan::WaitWindow::loadMainWindow, [&] {
    window = std::make_unique<lorvan::MainWindow>(
        stop, wait, lorvan::Locations{LORVAN_TEST_DICTIONARY_DIR, LORVAN_TEST_DICTIONARY_DIR});
    window->show();
  });
  wait.show();
  auto* label2 = wait.findChild<QLabel*>("Label2");
  const QString loading = label2->text();
  QCOMPARE(wait.height(), kSplashClientHeight);

  QTRY_VERIFY(window != nullptr);
  QVERIFY(!wait.isVisible());
  QCOMPARE(wait.height(), kStatisticsClientHeight);
  QVERIFY(label2->text() != loading);
  QCOMPARE(wait.findChild<QLabel*>("lblRjecnik")->text(), QString("0"));  // under 501 lines
  QString first = wait.findChild<QTextEdit*>("txtStatistika0")->toPlainText();
  QString second = wait.findChild<QTextEdit*>("txtStatistika1")->toPlainText();
  QVERIFY2(first.startsWith(" A = 0\n B = 0\n") && first.contains(" H = 3\n"), qPrintable(first));
  QVERIFY2(second.contains(" R = 1\n") && second.endsWith("\n ČĆŠŽ = 0"), qPrintable(second));

  // The label shows the same window each time, also after it was closed.
  auto* label = window->findChild<lorvan::ClickableLabel*>("lblImeDat");
  for (int click = 0; click < 2; ++click) {
    QTest::mouseClick(label, Qt::LeftButton);
    QVERIFY(wait.isVisible());
    QCOMPARE(wait.height(), kStatisticsClientHeight);
    QCOMPARE(wait.findChild<QTextEdit*>("txtStatistika0")->toPlainText(), first);
    wait.close();
    QVERIFY(!wait.isVisible());
  }
}

QTEST_MAIN(StartUpTest)
#include "start_up_test.moc"
