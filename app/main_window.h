// frmAuB: the main window. Its start-up loads the dictionary (counting lines in the loading
// window), sets the mask and selects the first file; it holds the options, the browser, the
// progress display and the commands: translate (and stop), exit, the statistics window, the
// About box and the web link.
#pragma once

#include <QWidget>
#include <array>
#include <memory>
#include <string>

#include "browser/file_browser.h"
#include "dictionary/dictionary.h"
#include "dictionary/load.h"
#include "run/file_system.h"
#include "run/run_settings.h"
#include "run/stop_flag.h"

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QPushButton;

namespace lorvan {

class BrowserView;
class ClickableLabel;
class DictionarySubstitutions;
class EscapeFilter;
class ProgressBar;
class RunCommand;
class WaitWindow;
class WindowFrontEnd;

// Where the window finds its dictionary and where its browser starts; file-system bytes.
struct Locations {
  std::string dictionary_folder;
  std::string start_folder;
};

class MainWindow : public QWidget {
  Q_OBJECT

 public:
  // Runs the start-up: builds the controls, loads the dictionary while statistics shows the
  // line count, writes the statistics into it, opens the start folder, applies the mask and
  // selects the first file. REQUIRES: stop and statistics outlive the window.
  MainWindow(StopFlag& stop, WaitWindow& statistics, const Locations& locations,
             QWidget* parent = nullptr);
  ~MainWindow() override;

  // When a dictionary file was missing or lines were skipped, lists the load report in a
  // message box titled "Vantir. Lorvan".
  void reportLoadIssues();

  // The options the next run takes, as the option boxes set them.
  const RunSettings& settings() const { return settings_; }

 protected:
  void closeEvent(QCloseEvent* event) override;
  // Enter presses the focused command button or check box, as Space does.
  void keyPressEvent(QKeyEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;

 private Q_SLOTS:
  void onFindClicked();
  void endProgram();
  void showStatistics();
  void showAbout();
  void openWebLink();

 private:
  void createWidgets();
  void createTopBand();
  void createOptions(QWidget* frame);
  void createTextOptions(QWidget* frame);
  void arrange();
  void connectSignals();
  void setTabOrder();
  void loadDictionary(const std::string& folder);
  void openStartFolder(const std::string& folder);

  StopFlag& stop_;
  WaitWindow& statistics_;
  Dictionary dictionary_;
  LoadReport load_report_;
  std::unique_ptr<DictionarySubstitutions> substitutions_;
  RunSettings settings_;
  FileBrowser browser_;
  DiskFileSystem files_;
  std::unique_ptr<WindowFrontEnd> front_end_;
  std::unique_ptr<RunCommand> run_command_;
  bool ending_ = false;

  ClickableLabel* lbl_ime_dat_;
  ClickableLabel* img_vantir_;
  ClickableLabel* web_link_;
  ProgressBar* progress_bar_;
  QLabel* lbl_postotak_;
  QPushButton* cmd_find_;
  QPushButton* cmd_exit_;
  QGroupBox* frm_open_;
  QGroupBox* frame2_;
  QCheckBox* chk_cirilica_;
  QCheckBox* chk_cir_convert_;
  QCheckBox* chk_html_tag_;
  QCheckBox* chk_links_;  // checked: links are not translated
  QGroupBox* frame1_;
  QCheckBox* chk_subfolder_;
  QCheckBox* chk_ime_;
  QCheckBox* chk_backup_;
  QCheckBox* chk_paragraf_;
  BrowserView* browser_view_;
  QLabel* encoding_label_;
  QComboBox* encoding_box_;  // cmbKodiranje: the encoding, or the original byte model
  QLabel* line_end_label_;
  QComboBox* line_end_box_;  // cmbKrajRetka
  EscapeFilter* escape_filter_;
};

}  // namespace lorvan
