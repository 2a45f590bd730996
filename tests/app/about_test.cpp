// The order in which the web link tries its openers, and Qt's message box buttons in Croatian.
#include "app/about.h"

#include <QFile>
#include <QLibraryInfo>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>

#include "app/qt_croatian.h"

class AboutTest : public QObject {
  Q_OBJECT

 private Q_SLOTS:
  void webLinkTriesOpenersInOrder_data();
  void webLinkTriesOpenersInOrder();
  void messageBoxButtonsInCroatian();
};

void AboutTest::webLinkTriesOpenersInOrder_data() {
  QTest::addColumn<bool>("opener_works");
  QTest::addColumn<QStringList>("working");  // browsers that start
  QTest::addColumn<QStringList>("tried");
  QTest::newRow("desktop opener only") << true << QStringList{"firefox"} << QStringList{};
  QTest::newRow("first browser that starts")
      << false << QStringList{"chromium", "google-chrome"} << QStringList{"firefox", "chromium"};
  QTest::newRow("none starts, nothing else happens")
      << false << QStringList{} << QStringList{"firefox", "chromium", "google-chrome"};
}

void AboutTest::webLinkTriesOpenersInOrder() {
  QFETCH(bool, opener_works);
  QFETCH(QStringList, working);
  QFETCH(QStringList, tried);
  QStringList attempts;
  QUrl opened;
  lorvan::OpenSoftwarePage(
      [&](const QUrl& url) {
        opened = url;
        return opener_works;
      },
      [&](const QString& program, const QStringList& arguments) {
        attempts << program;
        if (arguments.size() != 1 || !arguments[0].startsWith("https://")) throw 1;
        return working.contains(program);
      });
  QVERIFY(opened.isValid());
  QCOMPARE(attempts, tried);
}

void AboutTest::messageBoxButtonsInCroatian() {
  const QString path = QLibraryInfo::path(QLibraryInfo::TranslationsPath) + "/qtbase_hr.qm";
  if (!QFile::exists(path)) QSKIP("Qt's Croatian translation is not installed");
  QVERIFY(lorvan::InstallQtCroatian(qApp));
  QMessageBox box(QMessageBox::Question, "Vantir. Lorvan", "?",
                  QMessageBox::Ok | QMessageBox::Yes | QMessageBox::No);
  QCOMPARE(box.button(QMessageBox::Ok)->text(), QString("U redu"));
  QCOMPARE(box.button(QMessageBox::Yes)->text().remove('&'), QString("Da"));
  QCOMPARE(box.button(QMessageBox::No)->text().remove('&'), QString("Ne"));
}

QTEST_MAIN(AboutTest)
#include "about_test.moc"
