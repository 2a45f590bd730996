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
#include "dictionary/statistics.h"
#include "engine/substitutions.h"
#include "run/run_command.h"

namespace lorvan {
namespace {

constexpr int kClientWidth = 486;  // 7290 by 7245 twips
constexpr int kClientHeight = 483;
constexpr int kMaxReportedIssues = 20;
const QColor kWindowColour(224, 224, 224);

QCheckBox* MakeOption(QWidget* frame, const char* name, const QString& caption, int row,
                      bool checked) {
  auto* box = new QCheckBox(caption, frame);
  box->setObjectName(QString::fromLatin1(name));
  box->setChecked(checked);
  box->setGeometry(8, 6 + 24 * row, 222, 22);
  return box;
}

QPushButton* MakeCommand(QWidget* parent, const char* name, const QString& caption,
                         const QColor& colour, QRect place) {
  auto* button = new QPushButton(caption, parent);
  button->setObjectName(QString::fromLatin1(name));
  SetCommandColour(button, colour);
  button->setGeometry(place);
  return button;
}

void BindOption(QCheckBox* box, bool* option) {
  QObject::connect(box, &QCheckBox::toggled, box, [option](bool checked) { *option = checked; });
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
  setFixedSize(kClientWidth, kClientHeight);
  setFont(SansFont(8.25));
  QPalette palette = this->palette();
  palette.setColor(QPalette::Window, kWindowColour);
  setPalette(palette);
  setAutoFillBackground(true);

  createTopBand();
  auto* frm_open = new QGroupBox(this);
  frm_open->setObjectName(QStringLiteral("frmOpen"));
  frm_open->setGeometry(4, 104, 478, 375);
  createOptions(frm_open);
  placeBrowser(frm_open);
  createTextOptions(frm_open);
}

void MainWindow::createTopBand() {
  lbl_ime_dat_ = new ClickableLabel(QStringLiteral("Pojmova u rječniku"), this);
  lbl_ime_dat_->setObjectName(QStringLiteral("lblImeDat"));
  lbl_ime_dat_->setFont(SansFont(9.75));
  lbl_ime_dat_->setAlignment(Qt::AlignCenter);
  lbl_ime_dat_->setToolTip(QStringLiteral(" Statistika riječi u rječniku "));
  lbl_ime_dat_->setGeometry(8, 8, 234, 20);

  img_vantir_ = new ClickableLabel(this);
  img_vantir_->setObjectName(QStringLiteral("imgVantir"));
  img_vantir_->setPixmap(DrawLogo(QSize(28, 35)));
  img_vantir_->setCursor(Qt::PointingHandCursor);
  img_vantir_->setGeometry(111, 32, 28, 35);

  web_link_ = new ClickableLabel(WebAddress(), this);
  web_link_->setObjectName(QStringLiteral("Label1"));
  web_link_->setFont(SansFont(9.75));
  web_link_->setAlignment(Qt::AlignCenter);
  SetTextColour(web_link_, QColor(0, 0, 255));
  web_link_->setCursor(Qt::PointingHandCursor);
  web_link_->setToolTip(QStringLiteral("Više o programu na našim web stranicama"));
  web_link_->setGeometry(8, 72, 234, 20);

  progress_bar_ = new ProgressBar(this);
  progress_bar_->move(271, 8);
  lbl_postotak_ = new QLabel(QStringLiteral(". . .  "), this);
  lbl_postotak_->setObjectName(QStringLiteral("lblPostotak"));
  lbl_postotak_->setFont(SerifFont(12, true));
  lbl_postotak_->setAlignment(Qt::AlignCenter);
  lbl_postotak_->setGeometry(271, 38, 203, 24);
  cmd_find_ = MakeCommand(this, "cmdFind", QString::fromLatin1(kIdleCaption), QColor(192, 255, 192),
                          QRect(271, 66, 98, 30));
  cmd_exit_ = MakeCommand(this, "cmdExit", QStringLiteral("E&xit"), QColor(255, 192, 192),
                          QRect(376, 66, 98, 30));
}

void MainWindow::createOptions(QWidget* frame) {
  auto* frame2 = new QGroupBox(frame);
  frame2->setObjectName(QStringLiteral("Frame2"));
  frame2->setGeometry(6, 6, 232, 82);
  chk_cirilica_ = MakeOption(frame2, "chkCirilica",
                             QStringLiteral("Prevedi tekst na ćirilici (UTF-8)"), 0, false);
  chk_cir_convert_ = MakeOption(
      frame2, "chkCirConvert", QStringLiteral("Konvertiraj ćirilicu u latinicu (UTF-8)"), 1, false);
  chk_html_tag_ =
      MakeOption(frame2, "chkHtmlTag", QStringLiteral("Zanemari tekst u HTML tagovima"), 2, true);

  auto* frame1 = new QGroupBox(frame);
  frame1->setObjectName(QStringLiteral("Frame1"));
  frame1->setGeometry(240, 6, 232, 82);
  chk_subfolder_ =
      MakeOption(frame1, "chkSubfolder", QStringLiteral("&Kroz sve poddirektorije"), 0, false);
  chk_ime_ = MakeOption(frame1, "chkIme", QStringLiteral("Spremi pod istim imenom"), 1, false);
  chk_paragraf_ = MakeOption(frame1, "chkParagraf",
                             QStringLiteral("Svaki HTML paragraf u novom redu"), 2, true);
}

void MainWindow::placeBrowser(QWidget* frame) {
  browser_view_ = new BrowserView(browser_, frame);
  browser_view_->driveList()->setGeometry(6, 94, 232, 24);
  browser_view_->maskBox()->setGeometry(240, 94, 232, 24);
  browser_view_->folderList()->setGeometry(6, 124, 232, 217);
  browser_view_->fileList()->setGeometry(240, 124, 232, 217);
}

// The row under the lists: how files are read and written.
void MainWindow::createTextOptions(QWidget* frame) {
  auto* encoding_label = new QLabel(QStringLiteral("Kodiranje:"), frame);
  encoding_label->setGeometry(8, 347, 62, 22);
  encoding_box_ = new QComboBox(frame);
  encoding_box_->setObjectName(QStringLiteral("cmbKodiranje"));
  encoding_box_->addItems({QStringLiteral("automatski"), QStringLiteral("UTF-8"),
                           QStringLiteral("Windows-1250"),
                           QStringLiteral("izvorni bajtovi (1250, CR LF)")});
  encoding_box_->setGeometry(70, 346, 168, 24);
  encoding_box_->setToolTip(QStringLiteral(
      "automatski: datoteka s oznakom UTF-8 ili ispravan UTF-8 s barem jednim slovom izvan "
      "ASCII-ja čita se i sprema kao UTF-8, sve ostalo kao Windows-1250.\n"
      "izvorni bajtovi: Windows-1250 bajtovi, UTF-8 hrvatska slova pretvorena na mjestu, "
      "CR LF nakon svakog retka (isti rezultat kao prijašnje verzije)."));
  encoding_box_->setWhatsThis(encoding_box_->toolTip());

  auto* line_end_label = new QLabel(QStringLiteral("Kraj retka:"), frame);
  line_end_label->setGeometry(242, 347, 62, 22);
  line_end_box_ = new QComboBox(frame);
  line_end_box_->setObjectName(QStringLiteral("cmbKrajRetka"));
  line_end_box_->addItems(
      {QStringLiteral("kao u izvorniku"), QStringLiteral("CR LF"), QStringLiteral("LF")});
  line_end_box_->setGeometry(304, 346, 168, 24);
  line_end_box_->setToolTip(QStringLiteral(
      "kao u izvorniku: svaki redak završava kao u ulaznoj datoteci, a zadnji redak bez "
      "kraja ostaje bez njega."));
  line_end_box_->setWhatsThis(line_end_box_->toolTip());
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
                      chk_subfolder_,
                      chk_ime_,
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
