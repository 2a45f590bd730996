#include "app/main_window.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QCoreApplication>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <algorithm>

#include "app/about.h"
#include "app/browser_lists.h"
#include "app/browser_view.h"
#include "app/clickable_label.h"
#include "app/escape_filter.h"
#include "app/logo.h"
#include "app/look.h"
#include "app/progress_bar.h"
#include "app/wait_window.h"
#include "app/window_front_end.h"
#include "common/processors.h"
#include "dictionary/statistics.h"
#include "engine/substitutions.h"
#include "run/run_command.h"

namespace lorvan {
namespace {

// The design's client area is 7290 by 7245 twips (486 by 483 pixels); the option groups hold a
// fourth row, and what lies below them moves down by it.
constexpr int kRow = 24;  // a row of an option group
constexpr int kClientWidth = 486;
constexpr int kClientHeight = 483 + kRow;
constexpr int kMaxReportedIssues = 20;
const QColor kWindowColour(224, 224, 224);

// A check box in row of an option group; indent sets it off under the box it depends on.
QCheckBox* MakeOption(QWidget* frame, const char* name, const QString& caption, int row,
                      bool checked, int indent = 0) {
  auto* box = new QCheckBox(caption, frame);
  box->setObjectName(QString::fromLatin1(name));
  box->setChecked(checked);
  box->setGeometry(8 + indent, 6 + kRow * row, 222 - indent, 22);
  return box;
}

QPushButton* MakeCommand(QWidget* parent, const char* name, const QString& caption,
                         const QColor& colour) {
  auto* button = new QPushButton(caption, parent);
  button->setObjectName(QString::fromLatin1(name));
  SetCommandColour(button, colour);
  return button;
}

// option follows the box, from its state now on; inverted, it holds the box's opposite.
void BindOption(QCheckBox* box, bool* option, bool inverted = false) {
  *option = box->isChecked() != inverted;
  QObject::connect(box, &QCheckBox::toggled, box,
                   [option, inverted](bool checked) { *option = checked != inverted; });
}

}  // namespace

MainWindow::MainWindow(StopFlag& stop, WaitWindow& statistics, const Locations& locations,
                       QWidget* parent)
    : QWidget(parent), stop_(stop), statistics_(statistics) {
  createWidgets();
  escape_filter_ = new EscapeFilter(stop_, this);
  front_end_ = std::make_unique<WindowFrontEnd>(
      RunWidgets{cmd_find_, lbl_ime_dat_, lbl_postotak_, progress_bar_, browser_view_, this},
      stop_);
  loadDictionary(locations.dictionary_folder);
  substitutions_ = std::make_unique<DictionarySubstitutions>(dictionary_);
  run_command_ = std::make_unique<RunCommand>(
      RunContext{*substitutions_, settings_, *front_end_, files_}, stop_, *front_end_);
  // A run uses every processor, as the command line does by default.
  run_command_->TranslateInParallel(ProcessorCount(), [this] {
    return std::make_unique<DictionarySubstitutions>(dictionary_);
  });
  openStartFolder(locations.start_folder);
  connectSignals();
  setTabOrder();
  cmd_find_->setFocus();
}

MainWindow::~MainWindow() = default;

void MainWindow::createWidgets() {
  setObjectName(QStringLiteral("frmAuB"));
  setWindowTitle(QStringLiteral("Vantir. Prevoditelj sa srpskog na hrvatski"));
  setWindowIcon(QIcon(DrawLogo(QSize(56, 70))));
  setMinimumSize(kClientWidth, kClientHeight);
  resize(kClientWidth, kClientHeight);
  setFont(SansFont(8.25));
  QPalette palette = this->palette();
  palette.setColor(QPalette::Window, kWindowColour);
  setPalette(palette);
  setAutoFillBackground(true);

  createTopBand();
  frm_open_ = new QGroupBox(this);
  frm_open_->setObjectName(QStringLiteral("frmOpen"));
  createOptions(frm_open_);
  browser_view_ = new BrowserView(browser_, frm_open_);
  createTextOptions(frm_open_);
  arrange();
}

void MainWindow::createTopBand() {
  lbl_ime_dat_ = new ClickableLabel(QStringLiteral("Pojmova u rječniku"), this);
  lbl_ime_dat_->setObjectName(QStringLiteral("lblImeDat"));
  lbl_ime_dat_->setFont(SansFont(9.75));
  lbl_ime_dat_->setAlignment(Qt::AlignCenter);
  lbl_ime_dat_->setToolTip(QStringLiteral(" Statistika riječi u rječniku "));

  img_vantir_ = new ClickableLabel(this);
  img_vantir_->setObjectName(QStringLiteral("imgVantir"));
  img_vantir_->setPixmap(DrawLogo(QSize(28, 35)));
  img_vantir_->setCursor(Qt::PointingHandCursor);

  web_link_ = new ClickableLabel(WebAddress(), this);
  web_link_->setObjectName(QStringLiteral("Label1"));
  web_link_->setFont(SansFont(9.75));
  web_link_->setAlignment(Qt::AlignCenter);
  SetTextColour(web_link_, QColor(0, 0, 255));
  web_link_->setCursor(Qt::PointingHandCursor);
  web_link_->setToolTip(QStringLiteral("Više o programu na našim web stranicama"));

  progress_bar_ = new ProgressBar(this);
  lbl_postotak_ = new QLabel(QStringLiteral(". . .  "), this);
  lbl_postotak_->setObjectName(QStringLiteral("lblPostotak"));
  lbl_postotak_->setFont(SerifFont(12, true));
  lbl_postotak_->setAlignment(Qt::AlignCenter);
  cmd_find_ =
      MakeCommand(this, "cmdFind", QString::fromLatin1(kIdleCaption), QColor(192, 255, 192));
  cmd_exit_ = MakeCommand(this, "cmdExit", QStringLiteral("E&xit"), QColor(255, 192, 192));
}

void MainWindow::createOptions(QWidget* frame) {
  frame2_ = new QGroupBox(frame);
  frame2_->setObjectName(QStringLiteral("Frame2"));
  chk_cirilica_ = MakeOption(frame2_, "chkCirilica",
                             QStringLiteral("Prevedi tekst na ćirilici (UTF-8)"), 0, false);
  chk_cir_convert_ =
      MakeOption(frame2_, "chkCirConvert",
                 QStringLiteral("Konvertiraj ćirilicu u latinicu (UTF-8)"), 1, false);
  chk_html_tag_ =
      MakeOption(frame2_, "chkHtmlTag", QStringLiteral("Zanemari tekst u HTML tagovima"), 2, true);
  // Checked: web addresses, e-mail addresses and paths are copied as they are.
  chk_links_ =
      MakeOption(frame2_, "chkLinks", QStringLiteral("Zanemari web adrese i putanje"), 3, true);

  frame1_ = new QGroupBox(frame);
  frame1_->setObjectName(QStringLiteral("Frame1"));
  chk_subfolder_ =
      MakeOption(frame1_, "chkSubfolder", QStringLiteral("&Kroz sve poddirektorije"), 0, false);
  chk_ime_ = MakeOption(frame1_, "chkIme", QStringLiteral("Spremi pod istim imenom"), 1, false);
  chk_backup_ =
      MakeOption(frame1_, "chkBackup", QStringLiteral("Sačuvaj izvornik kao NAZIV~"), 2, false, 16);
  chk_backup_->setEnabled(false);  // only with chkIme
  chk_paragraf_ = MakeOption(frame1_, "chkParagraf",
                             QStringLiteral("Svaki HTML paragraf u novom redu"), 3, true);
}

// The row under the lists: how files are read and written.
void MainWindow::createTextOptions(QWidget* frame) {
  encoding_label_ = new QLabel(QStringLiteral("Kodiranje:"), frame);
  encoding_box_ = new QComboBox(frame);
  encoding_box_->setObjectName(QStringLiteral("cmbKodiranje"));
  encoding_box_->addItems({QStringLiteral("automatski"), QStringLiteral("UTF-8"),
                           QStringLiteral("Windows-1250"),
                           QStringLiteral("izvorni bajtovi (1250, CR LF)")});
  encoding_box_->setToolTip(QStringLiteral(
      "automatski: datoteka s oznakom UTF-8 ili ispravan UTF-8 s barem jednim slovom izvan "
      "ASCII-ja čita se i sprema kao UTF-8, sve ostalo kao Windows-1250.\n"
      "izvorni bajtovi: Windows-1250 bajtovi, UTF-8 hrvatska slova pretvorena na mjestu, "
      "CR LF nakon svakog retka (isti rezultat kao prijašnje verzije)."));
  encoding_box_->setWhatsThis(encoding_box_->toolTip());

  line_end_label_ = new QLabel(QStringLiteral("Kraj retka:"), frame);
  line_end_box_ = new QComboBox(frame);
  line_end_box_->setObjectName(QStringLiteral("cmbKrajRetka"));
  line_end_box_->addItems(
      {QStringLiteral("kao u izvorniku"), QStringLiteral("CR LF"), QStringLiteral("LF")});
  line_end_box_->setToolTip(QStringLiteral(
      "kao u izvorniku: svaki redak završava kao u ulaznoj datoteci, a zadnji redak bez "
      "kraja ostaje bez njega."));
  line_end_box_->setWhatsThis(line_end_box_->toolTip());
}

// Places the controls for the window's size. At the default size they stand where the design
// has them; a larger window gives each column half the extra width and the lists all the extra
// height, and keeps the top band's two groups centred over their columns.
void MainWindow::arrange() {
  const int dx = width() - kClientWidth;
  const int dy = height() - kClientHeight;
  const int left = dx / 2;                 // extra width of the left column
  const int right = dx - left;             // and of the right one
  const int top_right = left + right / 2;  // shift of the top band's right group

  lbl_ime_dat_->setGeometry(8, 8, 234 + left, 20);
  img_vantir_->setGeometry(111 + left / 2, 32, 28, 35);
  web_link_->setGeometry(8, 72, 234 + left, 20);
  progress_bar_->move(271 + top_right, 8);
  lbl_postotak_->setGeometry(271 + top_right, 38, 203, 24);
  cmd_find_->setGeometry(271 + top_right, 66, 98, 30);
  cmd_exit_->setGeometry(376 + top_right, 66, 98, 30);

  frm_open_->setGeometry(4, 104, 478 + dx, 375 + kRow + dy);
  frame2_->setGeometry(6, 6, 232 + left, 82 + kRow);
  frame1_->setGeometry(240 + left, 6, 232 + right, 82 + kRow);
  const int below = 94 + kRow;  // top of the drive list and the mask box
  browser_view_->driveList()->setGeometry(6, below, 232 + left, 24);
  browser_view_->maskBox()->setGeometry(240 + left, below, 232 + right, 24);
  browser_view_->folderList()->setGeometry(6, below + 30, 232 + left, 217 + dy);
  browser_view_->fileList()->setGeometry(240 + left, below + 30, 232 + right, 217 + dy);
  const int text_row = below + 252 + dy;  // the row under the lists
  encoding_label_->setGeometry(8, text_row + 1, 62, 22);
  encoding_box_->setGeometry(70, text_row, 168 + left, 24);
  line_end_label_->setGeometry(242 + left, text_row + 1, 62, 22);
  line_end_box_->setGeometry(304 + left, text_row, 168 + right, 24);
}

void MainWindow::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  arrange();
}

void MainWindow::connectSignals() {
  connect(cmd_find_, &QPushButton::clicked, this, &MainWindow::onFindClicked);
  connect(cmd_exit_, &QPushButton::clicked, this, &MainWindow::endProgram);
  connect(lbl_ime_dat_, &ClickableLabel::clicked, this, &MainWindow::showStatistics);
  connect(img_vantir_, &ClickableLabel::clicked, this, &MainWindow::showAbout);
  connect(web_link_, &ClickableLabel::clicked, this, &MainWindow::openWebLink);
  BindOption(chk_cirilica_, &settings_.cyrillic);
  BindOption(chk_cir_convert_, &settings_.convert_only);
  BindOption(chk_html_tag_, &settings_.skip_tags);
  BindOption(chk_subfolder_, &settings_.subfolders);
  BindOption(chk_ime_, &settings_.same_name);
  BindOption(chk_backup_, &settings_.backup);
  connect(chk_ime_, &QCheckBox::toggled, chk_backup_, &QCheckBox::setEnabled);
  BindOption(chk_links_, &settings_.translate_links, /*inverted=*/true);
  BindOption(chk_paragraf_, &settings_.paragraphs);
  connect(encoding_box_, &QComboBox::currentIndexChanged, this, [this](int index) {
    static constexpr EncodingChoice kChoices[] = {EncodingChoice::kAuto, EncodingChoice::kUtf8,
                                                  EncodingChoice::kWindows1250,
                                                  EncodingChoice::kWindows1250};
    settings_.encoding = kChoices[std::clamp(index, 0, 3)];
    settings_.byte_exact = index == 3;
    line_end_box_->setEnabled(!settings_.byte_exact);
  });
  connect(line_end_box_, &QComboBox::currentIndexChanged, this, [this](int index) {
    static constexpr LineEndChoice kChoices[] = {LineEndChoice::kKeep, LineEndChoice::kCrLf,
                                                 LineEndChoice::kLf};
    settings_.line_ends = kChoices[std::clamp(index, 0, 2)];
  });
}

void MainWindow::setTabOrder() {
  QWidget* order[] = {cmd_find_,
                      cmd_exit_,
                      chk_cirilica_,
                      chk_cir_convert_,
                      chk_html_tag_,
                      chk_links_,
                      chk_subfolder_,
                      chk_ime_,
                      chk_backup_,
                      chk_paragraf_,
                      browser_view_->driveList(),
                      browser_view_->maskBox(),
                      browser_view_->folderList(),
                      browser_view_->fileList(),
                      encoding_box_,
                      line_end_box_};
  for (std::size_t i = 1; i < std::size(order); ++i) QWidget::setTabOrder(order[i - 1], order[i]);
}

void MainWindow::loadDictionary(const std::string& folder) {
  // The load clears the stop request once the word file is open, yields to the window and
  // counts its lines in the loading window.
  class Watcher : public LoadWatcher {
   public:
    Watcher(StopFlag& stop, WaitWindow& statistics) : stop_(stop), statistics_(statistics) {}
    bool YieldAndTestStop() override {
      QCoreApplication::processEvents();
      return stop_.IsSet();
    }
    void WordFileOpened() override { stop_.Clear(); }
    void ShowLineCount(std::int64_t count) override { statistics_.showLineCount(count); }

   private:
    StopFlag& stop_;
    WaitWindow& statistics_;
  } watcher(stop_, statistics_);
  load_report_ = LoadDictionary(folder, &watcher, &dictionary_);
  statistics_.showStatistics(BuildStatisticsTexts(dictionary_.words));
  lbl_ime_dat_->setText(FromCp1250(TotalText(dictionary_.words)));
}

// The browser starts in folder (the root when it cannot be read), with the mask of the mask
// box and its first file selected.
void MainWindow::openStartFolder(const std::string& folder) {
  if (!browser_.Open(folder).ok()) browser_.Open("/");
  browser_.SetMask(browser_view_->maskBytes());
  browser_.SetSelected(0, true);
  browser_view_->refresh();
}

void MainWindow::reportLoadIssues() {
  if (load_report_.issues.empty()) return;
  QString text = QStringLiteral("Rječnik nije učitan u cijelosti:\n");
  int shown = 0;
  for (const LoadIssue& issue : load_report_.issues) {
    if (++shown > kMaxReportedIssues) break;
    text += QStringLiteral("\n") + FromCp1250(DescribeLoadIssue(issue));
  }
  int rest = static_cast<int>(load_report_.issues.size()) - kMaxReportedIssues;
  if (rest > 0) text += QStringLiteral("\n… i još %1").arg(rest);
  QMessageBox box(QMessageBox::NoIcon, QStringLiteral("Vantir. Lorvan"), text, QMessageBox::Ok,
                  this);
  box.exec();
}

void MainWindow::closeEvent(QCloseEvent* event) {
  endProgram();
  event->accept();
}

// The buttons leave Enter to their window; the lists and the mask box take it themselves.
void MainWindow::keyPressEvent(QKeyEvent* event) {
  auto* button = qobject_cast<QAbstractButton*>(focusWidget());
  bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
  if (enter && button != nullptr && !event->isAutoRepeat()) {
    button->click();
    return;
  }
  QWidget::keyPressEvent(event);
}

void MainWindow::onFindClicked() {
  // The run takes the names selected now and the mask box's text, once the list took it; the
  // list then shows the mask's files afresh. Afterwards the lists show the folder where the
  // run ended, with the files just written.
  std::vector<std::string> selected = browser_.SelectedNames();
  const std::string mask = browser_.mask();
  browser_.SetMask(mask);
  run_command_->Click(browser_.folder(), std::move(selected), mask);
  browser_.Reread();
  browser_view_->refresh();
}

// Ends the program at once, also during a run: the run stops before its next line and
// nothing more is written; the event loop then ends.
void MainWindow::endProgram() {
  if (ending_) return;
  ending_ = true;
  stop_.Set();
  statistics_.hide();
  hide();
  QCoreApplication::exit(0);
}

void MainWindow::showStatistics() {
  statistics_.show();
  statistics_.raise();
  statistics_.activateWindow();
}

void MainWindow::showAbout() { ShowAbout(this); }

void MainWindow::openWebLink() { OpenSoftwarePage(); }

}  // namespace lorvan
