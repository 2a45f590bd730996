// The About text's exact form, the order in which the web link tries its openers, and Qt's
// message box buttons in Croatian.
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
  void aboutTextHasSeventeenCrLfLines();
  void webLinkTriesOpenersInOrder_data();
  void webLinkTriesOpenersInOrder();
  void messageBoxButtonsInCroatian();
};

void AboutTest::aboutTextHasSeventeenCrLfLines() {
  QByteArray text = lorvan::AboutText().toUtf8();
  QVERIFY(text.endsWith("\r\n"));
  QCOMPARE(text.count("\r\n"), 17);
  QCOMPARE(text.count('\n'), 17);  // no bare LF
  QCOMPARE(text.count('\r'), 17);  // no bare CR
  QList<QByteArray> lines = text.split('\n');
  lines.removeLast();
  for (QByteArray& line : lines) line.chop(1);
  QCOMPARE(lines[0], QByteArray("Lorvan prevoditelj 1.5"));
  for (int empty : {2, 7, 9, 11, 14})
    QVERIFY2(lines[empty - 1].isEmpty(), QByteArray::number(empty));
  for (int full : {1, 3, 4, 5, 6, 8, 10, 12, 13, 15, 16, 17})
    QVERIFY2(!lines[full - 1].isEmpty(), QByteArray::number(full));
  QVERIFY(lines[7].startsWith(' '));  // the e-mail address is indented
  QCOMPARE(lines[12], QByteArray(41, '_'));
}

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
