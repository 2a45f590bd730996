// The main window through its controls: defaults, the file list's click rule, the mask box,
// the folder list, Esc, and runs started and stopped with the translate button.
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>
#include <optional>

#include "app/look.h"
#include "tests/app/window_fixture.h"

using lorvan::testing::TestFile;
using lorvan::testing::WindowFixture;

namespace {

const QColor kGrey(192, 192, 192);

std::vector<TestFile> ThreeFiles() {
  return {
      {"a.txt", "Hleb i voz.\r\n"}, {"b.txt", "Da li je uslov ispunjen?\r\n"}, {"c.srt", "1\r\n"}};
}

QList<int> SelectedRows(QListWidget* list) {
  QList<int> rows;
  for (int i = 0; i < list->count(); ++i)
    if (list->item(i)->isSelected()) rows << i;
  return rows;
}

QStringList Entries(QListWidget* list) {
  QStringList names;
  for (int i = 0; i < list->count(); ++i) names << list->item(i)->text().trimmed();
  return names;
}

// The progress bar's twenty elements are back to grey.
bool BarIsClear(const WindowFixture& f) {
  for (int i = 0; i < 20; ++i)
    if (lorvan::ButtonColour(f.Find<QPushButton>(qPrintable(QString("cmdPicture%1").arg(i)))) !=
        kGrey)
      return false;
  return true;
}

void ClickEntry(QListWidget* list, int row, Qt::KeyboardModifiers modifiers = {}) {
  QTest::mouseClick(list->viewport(), Qt::LeftButton, modifiers,
                    list->visualItemRect(list->item(row)).center());
}

}  // namespace

class MainWindowTest : public QObject {
  Q_OBJECT

 private Q_SLOTS:
  void startsWithMaskAndFirstFileSelected();
  void fileClicksFollowToggleRule_data();
  void fileClicksFollowToggleRule();
  void doubleClickMakesNameTheMask();
  void typingInMaskRefiltersAtEveryKeystroke();
  void folderListOpensOnClickEnterOrLeaving_data();
  void folderListOpensOnClickEnterOrLeaving();
  void keysActWhereverFocusIs_data();
  void keysActWhereverFocusIs();
  void backupAndLinkBoxesSetRunSettings();
  void listsGrowWithWindow();
  void runWritesTranslationsAndClearsBar();
  void stopClickEndsRunningTranslation();
  void encodingBoxChoosesHowFilesAreWritten();
};

void MainWindowTest::startsWithMaskAndFirstFileSelected() {
  WindowFixture f(ThreeFiles());
  auto* mask = f.Find<QComboBox>("cmbMaska");
  QCOMPARE(mask->currentText(), QString("*.*"));
  auto* files = f.Find<QListWidget>("filList");
  QCOMPARE(Entries(files), QStringList({"a.txt", "b.txt", "c.srt"}));
  QCOMPARE(SelectedRows(files), QList<int>({0}));
  QCOMPARE(files->item(1)->toolTip(), QString("b.txt"));  // names too long for the list

  QCOMPARE(f.Find<QLabel>("lblImeDat")->text(), QString("Ukupno parova:  6"));  // the count
  QCOMPARE(QApplication::focusWidget(), f.Find<QWidget>("cmdFind"));
  // The colours as painted, inside the outline, left of the caption; Fusion would wash them out.
  for (auto [name, colour] :
       {std::pair("cmdFind", QColor(192, 255, 192)), std::pair("cmdExit", QColor(255, 192, 192))}) {
    QImage face = f.Find<QPushButton>(name)->grab().toImage();
    QCOMPARE(face.pixelColor(4, face.height() / 2), colour);
  }
}

// The rule itself is the file browser's (file_browser_test.cpp); these rows are its wiring.
void MainWindowTest::fileClicksFollowToggleRule_data() {
  QTest::addColumn<QList<int>>("clicks");
  QTest::addColumn<QList<int>>("selected");
  QTest::newRow("first click on entry 0 deselects it") << QList<int>{0} << QList<int>{};
  QTest::newRow("second click deselects") << QList<int>{1, 1} << QList<int>{};
  QTest::newRow("another entry between restarts") << QList<int>{1, 2, 1} << QList<int>{1};
}

void MainWindowTest::fileClicksFollowToggleRule() {
  QFETCH(QList<int>, clicks);
  QFETCH(QList<int>, selected);
  WindowFixture f(ThreeFiles());
  auto* files = f.Find<QListWidget>("filList");
  for (int row : clicks) ClickEntry(files, row);
  QCOMPARE(SelectedRows(files), selected);
}

void MainWindowTest::doubleClickMakesNameTheMask() {
  WindowFixture f(ThreeFiles());
  auto* files = f.Find<QListWidget>("filList");
  QTest::mouseDClick(files->viewport(), Qt::LeftButton, {},
                     files->visualItemRect(files->item(1)).center());
  QCOMPARE(f.Find<QComboBox>("cmbMaska")->currentText(), QString("b.txt"));
  QCOMPARE(Entries(files), QStringList({"b.txt"}));
}

void MainWindowTest::typingInMaskRefiltersAtEveryKeystroke() {
  WindowFixture f(ThreeFiles());
  auto* mask = f.Find<QComboBox>("cmbMaska");
  auto* files = f.Find<QListWidget>("filList");
  mask->setFocus();
  QTRY_COMPARE(mask->lineEdit()->selectedText(), QString("*.*"));  // focus selects all
  const std::pair<char, int> keystrokes[] = {{'*', 3}, {'.', -1}, {'s', 0}, {'r', 0}, {'t', 1}};
  for (auto [key, count] : keystrokes) {
    QTest::keyClick(mask->lineEdit(), key);
    if (count >= 0) QCOMPARE(files->count(), count);
  }
  mask->lineEdit()->clear();  // an empty mask keeps the last one
  QCOMPARE(Entries(files), QStringList({"c.srt"}));
}

void MainWindowTest::folderListOpensOnClickEnterOrLeaving_data() {
  QTest::addColumn<QString>("how");
  QTest::addColumn<bool>("opens");
  QTest::newRow("single click opens") << "click" << true;
  QTest::newRow("arrow key only highlights") << "arrow" << false;
  QTest::newRow("arrow then Enter opens") << "enter" << true;
  QTest::newRow("leaving the list opens") << "leave" << true;
  QTest::newRow("vanished folder keeps the current one") << "vanished" << false;
}

void MainWindowTest::folderListOpensOnClickEnterOrLeaving() {
  QFETCH(QString, how);
  QFETCH(bool, opens);
  WindowFixture f({{"top.txt", "x\r\n"}, {"sub/inner.txt", "y\r\n"}});
  auto* folders = f.Find<QListWidget>("dirList");
  auto* files = f.Find<QListWidget>("filList");
  folders->setFocus();
  int sub_row = folders->count() - 1;  // the only subfolder is the last entry
  QCOMPARE(folders->item(sub_row)->text().trimmed(), QString("sub"));
  if (how == "click") {
    ClickEntry(folders, sub_row);
  } else {
    QTest::keyClick(folders, Qt::Key_Down);
    QCOMPARE(folders->currentRow(), sub_row);
    if (how == "vanished") QVERIFY(QDir(f.path() + "/sub").removeRecursively());
    if (how == "enter" || how == "vanished") QTest::keyClick(folders, Qt::Key_Return);
    if (how == "leave") f.Find<QWidget>("cmdFind")->setFocus();
  }
  QCOMPARE(Entries(files), QStringList({opens ? "inner.txt" : "top.txt"}));
  if (opens) QCOMPARE(folders->item(folders->count() - 1)->text().trimmed(), QString("sub"));
}

// Esc sets the stop flag wherever the focus is; Return and keypad Enter press the focused button.
void MainWindowTest::keysActWhereverFocusIs_data() {
  QTest::addColumn<QString>("focus");
  QTest::addColumn<int>("key");
  QTest::newRow("Esc in the file list") << "filList" << int(Qt::Key_Escape);
  QTest::newRow("Esc in the mask box") << "cmbMaska" << int(Qt::Key_Escape);
  QTest::newRow("Return on the translate button") << "cmdFind" << int(Qt::Key_Return);
  QTest::newRow("keypad Enter on the translate button") << "cmdFind" << int(Qt::Key_Enter);
  QTest::newRow("Return on a check box") << "chkIme" << int(Qt::Key_Return);
}

void MainWindowTest::keysActWhereverFocusIs() {
  QFETCH(QString, focus);
  QFETCH(int, key);
  WindowFixture f(ThreeFiles());
  QWidget* widget = f.Find<QWidget>(focus.toLatin1().constData());
  auto* button = qobject_cast<QAbstractButton*>(widget);
  const bool checked = button != nullptr && button->isChecked();
  std::optional<QSignalSpy> clicks;
  if (button != nullptr) clicks.emplace(button, &QAbstractButton::clicked);
  widget->setFocus();
  QTest::keyClick(QApplication::focusWidget(), Qt::Key(key),
                  key == Qt::Key_Enter ? Qt::KeypadModifier : Qt::NoModifier);
  QCOMPARE(f.stop().IsSet(), key == Qt::Key_Escape);
  if (key == Qt::Key_Escape) return;
  QCOMPARE(clicks->count(), 1);
  QCOMPARE(button->isChecked(), button->isCheckable() != checked);
  if (focus == "cmdFind") QCOMPARE(f.Read("a_hr.txt"), QByteArray("Kruh i vlak.\r\n"));
}

// The backup box counts only with "Spremi pod istim imenom"; the links box says the opposite
// of the setting: checked, links are left as they are.
void MainWindowTest::backupAndLinkBoxesSetRunSettings() {
  WindowFixture f(ThreeFiles());
  const lorvan::RunSettings& settings = f.window().settings();
  auto* same_name = f.Find<QCheckBox>("chkIme");
  auto* backup = f.Find<QCheckBox>("chkBackup");
  auto* links = f.Find<QCheckBox>("chkLinks");
  QVERIFY(!backup->isEnabled());
  QVERIFY(!settings.backup);
  QVERIFY(!settings.translate_links);

  QTest::mouseClick(same_name, Qt::LeftButton);
  QVERIFY(backup->isEnabled());
  QTest::mouseClick(backup, Qt::LeftButton);
  QVERIFY(settings.same_name && settings.backup);
  QTest::mouseClick(same_name, Qt::LeftButton);
  QVERIFY(!backup->isEnabled());

  QTest::mouseClick(links, Qt::LeftButton);
  QVERIFY(settings.translate_links);
}

// The design's size is the smallest; the lists take the extra width, half each, and all the
// extra height.
void MainWindowTest::listsGrowWithWindow() {
  WindowFixture f(ThreeFiles());
  const QSize design(486, 507);  // 483 and the option groups' fourth row
  QCOMPARE(f.window().minimumSize(), design);
  QCOMPARE(f.window().size(), design);
  auto* folders = f.Find<QWidget>("dirList");
  auto* files = f.Find<QWidget>("filList");
  const QRect folders_before = folders->geometry();
  const QRect files_before = files->geometry();

  f.window().resize(design + QSize(200, 100));
  QTRY_COMPARE(f.window().size(), design + QSize(200, 100));
  QCOMPARE(folders->geometry(), folders_before.adjusted(0, 0, 100, 100));
  QCOMPARE(files->geometry(), files_before.adjusted(100, 0, 200, 100));
  QWidget* text_row = f.Find<QWidget>("cmbKrajRetka");
  QCOMPARE(text_row->geometry().top(), files->geometry().bottom() + 6);
  QCOMPARE(text_row->geometry().right(), files->geometry().right());
}

void MainWindowTest::runWritesTranslationsAndClearsBar() {
  WindowFixture f({{"a.txt", "Hleb i voz.\r\n"}, {"čaša.txt", "HILJADA ljudi.\r\n"}});
  auto* files = f.Find<QListWidget>("filList");
  const QColor element20 = lorvan::ButtonColour(f.Find<QPushButton>("cmdPicture20"));
  ClickEntry(files, 0);  // deselects the start-up selection: every file is taken
  QTest::mouseClick(f.Find<QPushButton>("cmdFind"), Qt::LeftButton);

  QCOMPARE(f.Read("a_hr.txt"), QByteArray("Kruh i vlak.\r\n"));
  QCOMPARE(f.Read("čaša_hr.txt"), QByteArray("TISU\xc6"
                                             "A ljudi.\r\n"));
  QCOMPARE(f.Find<QPushButton>("cmdFind")->text(), QString("A=>B"));
  QCOMPARE(f.Find<QLabel>("lblImeDat")->text(), QString("čaša.txt"));
  QCOMPARE(f.Find<QLabel>("lblPostotak")->text(), QString("100 %"));
  QVERIFY(BarIsClear(f));
  QCOMPARE(lorvan::ButtonColour(f.Find<QPushButton>("cmdPicture20")), element20);
  QVERIFY(Entries(files).contains("a_hr.txt"));  // the list shows the files just written
}

// A UTF-8 file with LF lines comes out as UTF-8 with LF lines; the original byte model, chosen
// in the encoding box, writes Windows-1250 and CR LF and leaves the line-end box out of play.
void MainWindowTest::encodingBoxChoosesHowFilesAreWritten() {
  WindowFixture f(std::vector<TestFile>{{"a.txt", "Hiljada “ljudi” \xf0\x9f\x98\x80\nhleb"}});
  auto* encoding = f.Find<QComboBox>("cmbKodiranje");
  QCOMPARE(encoding->currentText(), QString("automatski"));
  QTest::mouseClick(f.Find<QPushButton>("cmdFind"), Qt::LeftButton);
  QCOMPARE(f.Read("a_hr.txt"), QByteArray("Tisuća “ljudi” \xf0\x9f\x98\x80\nkruh"));

  f.Find<QComboBox>("cmbKrajRetka")->setCurrentIndex(1);
  QTest::mouseClick(f.Find<QPushButton>("cmdFind"), Qt::LeftButton);
  QCOMPARE(f.Read("a_hr.txt"), QByteArray("Tisuća “ljudi” \xf0\x9f\x98\x80\r\nkruh"));

  encoding->setCurrentIndex(3);
  QVERIFY(!f.Find<QComboBox>("cmbKrajRetka")->isEnabled());
  f.Write("a.txt", "hleb\n");
  QTest::mouseClick(f.Find<QPushButton>("cmdFind"), Qt::LeftButton);
  QCOMPARE(f.Read("a_hr.txt"), QByteArray("kruh\r\n"));
}

// A STOP click while a long file is being translated ends the run inside that file: no output
// is written for it, the labels say which file was stopped, and the next file is never started.
void MainWindowTest::stopClickEndsRunningTranslation() {
  // Large enough to be translated in blocks, in its turn, when the run uses several threads.
  QByteArray big = QByteArray("Hleb i voz.\r\n").repeated(600000);
  WindowFixture f({{"a.txt", big}, {"b.txt", "Hleb.\r\n"}});
  ClickEntry(f.Find<QListWidget>("filList"), 0);
  auto* find = f.Find<QPushButton>("cmdFind");
  bool clicked_during_run = false;
  // The first yield comes before the first file; the click goes in at a later one.
  QTimer::singleShot(0, [&] {
    QTimer::singleShot(0, [&] {
      clicked_during_run = find->text() == "STOP";
      QTest::mouseClick(find, Qt::LeftButton);
    });
  });
  QTest::mouseClick(find, Qt::LeftButton);

  QVERIFY(clicked_during_run);
  QCOMPARE(find->text(), QString("A=>B"));
  QVERIFY(!f.Exists("a_hr.txt"));
  QVERIFY(!f.Exists("b_hr.txt"));
  QCOMPARE(f.Find<QLabel>("lblImeDat")->text(), QString("a.txt"));
  QCOMPARE(f.Find<QLabel>("lblPostotak")->text(), QString("prekinuto"));
  QVERIFY(BarIsClear(f));
}

QTEST_MAIN(MainWindowTest)
#include "main_window_test.moc"
