#include "app/browser_view.h"

#include <QApplication>
#include <QComboBox>
#include <QEvent>
#include <QLineEdit>
#include <QStyle>
#include <QTimer>

#include "app/browser_lists.h"
#include "app/look.h"

namespace lorvan {
namespace {

constexpr int kPathRole = Qt::UserRole;
const char* const kMaskItems[] = {"*.*", "*.txt", "*.htm", "*.sub", "*.srt"};

// The folders from the root down to folder, each as its full path.
std::vector<std::string> FolderChain(const std::string& folder) {
  std::vector<std::string> chain = {"/"};
  std::string path;
  std::size_t start = 0;
  while (start < folder.size()) {
    std::size_t slash = folder.find('/', start);
    if (slash == std::string::npos) slash = folder.size();
    if (slash > start) {
      path.push_back('/');
      path.append(folder, start, slash - start);
      chain.push_back(path);
    }
    start = slash + 1;
  }
  return chain;
}

std::string LastComponent(const std::string& path) {
  if (path == "/") return path;
  return path.substr(path.rfind('/') + 1);
}

// The mounted volume that holds folder: the longest drive that is folder or one of its
// ancestors.
int DriveOf(const std::vector<std::string>& drives, const std::string& folder) {
  int best = -1;
  std::size_t best_length = 0;
  for (std::size_t i = 0; i < drives.size(); ++i) {
    const std::string& d = drives[i];
    bool holds = d == "/" || folder == d || folder.rfind(d + "/", 0) == 0;
    if (holds && d.size() >= best_length) {
      best = static_cast<int>(i);
      best_length = d.size();
    }
  }
  return best;
}

// A mask the file list can apply: not empty, and no folder separator or NUL in it.
bool IsUsableMask(const std::string& mask) {
  return !mask.empty() && mask.find('/') == std::string::npos &&
         mask.find('\0') == std::string::npos;
}

QListWidgetItem* FolderItem(const std::string& path, int depth, bool open) {
  QStyle* style = QApplication::style();
  auto* item = new QListWidgetItem(
      style->standardIcon(open ? QStyle::SP_DirOpenIcon : QStyle::SP_DirClosedIcon),
      QString(2 * depth, QLatin1Char(' ')) + FromFileBytes(LastComponent(path)));
  item->setData(kPathRole, QByteArray::fromStdString(path));
  item->setToolTip(FromFileBytes(path));  // the whole path, however narrow the list
  return item;
}

}  // namespace

BrowserView::BrowserView(FileBrowser& browser, QWidget* parent)
    : QObject(parent), browser_(browser) {
  createWidgets(parent);
  connectSignals();
}

void BrowserView::createWidgets(QWidget* parent) {
  drv_list_ = new QComboBox(parent);
  drv_list_->setObjectName(QStringLiteral("drvList"));
  for (const std::string& drive : ListDrives())
    drv_list_->addItem(FromFileBytes(drive), QByteArray::fromStdString(drive));

  dir_list_ = new FolderList(parent);
  dir_list_->setObjectName(QStringLiteral("dirList"));

  cmb_maska_ = new QComboBox(parent);
  cmb_maska_->setObjectName(QStringLiteral("cmbMaska"));
  cmb_maska_->setEditable(true);
  cmb_maska_->setInsertPolicy(QComboBox::NoInsert);
  cmb_maska_->setCompleter(nullptr);  // the text is the mask exactly as typed
  for (const char* item : kMaskItems) cmb_maska_->addItem(QString::fromLatin1(item));
  cmb_maska_->setCurrentText(QStringLiteral("*.*"));
  cmb_maska_->installEventFilter(this);
  cmb_maska_->lineEdit()->installEventFilter(this);

  fil_list_ = new FileList(parent);
  fil_list_->setObjectName(QStringLiteral("filList"));
}

void BrowserView::connectSignals() {
  connect(drv_list_, &QComboBox::activated, this, &BrowserView::onDriveChosen);
  connect(dir_list_, &FolderList::openHighlighted, this, &BrowserView::openHighlightedFolder);
  connect(cmb_maska_, &QComboBox::currentTextChanged, this, &BrowserView::onMaskTextChanged);
  connect(fil_list_, &FileList::entryClicked, this, &BrowserView::onFileClicked);
  connect(fil_list_, &FileList::entryDoubleClicked, this, &BrowserView::onFileDoubleClicked);
  connect(fil_list_, &FileList::selectionTouched, this, &BrowserView::showSelection);
}

std::string BrowserView::maskBytes() const { return ToFileBytes(cmb_maska_->currentText()); }

void BrowserView::setMaskText(const QString& text) { cmb_maska_->setCurrentText(text); }

void BrowserView::refresh() {
  showDrive();
  showFolders();
  showFiles();
}

void BrowserView::followRunFolder(const std::string& folder) { browser_.Open(folder); }

void BrowserView::followRunMask(const std::string& mask) {
  browser_.SetMask(mask);
  setMaskText(FromFileBytes(mask));
}

void BrowserView::refreshIfMoved() {
  if (browser_.folder() != shown_folder_) {
    refresh();
  } else if (browser_.mask() != shown_mask_) {
    showFiles();
  }
}

// The mask box selects its whole text when it gets the focus; after the click that gave it the
// focus, so that the click does not undo the selection.
bool BrowserView::eventFilter(QObject*, QEvent* event) {
  if (event->type() == QEvent::FocusIn) {
    QTimer::singleShot(0, cmb_maska_->lineEdit(), &QLineEdit::selectAll);
  }
  return false;
}

void BrowserView::onDriveChosen(int index) {
  std::string drive = drv_list_->itemData(index).toByteArray().toStdString();
  if (drive != browser_.folder() && browser_.Open(drive).ok()) {
    refresh();
  } else {
    showDrive();  // the drive could not be opened: back to the drive of the folder
  }
}

void BrowserView::openHighlightedFolder() {
  QListWidgetItem* item = dir_list_->currentItem();
  if (item == nullptr) return;
  std::string path = item->data(kPathRole).toByteArray().toStdString();
  if (path == browser_.folder()) return;
  if (browser_.Open(path).ok()) {
    refresh();
  } else {
    showFolders();  // a folder that vanished: the previous one stays
  }
}

void BrowserView::onMaskTextChanged(const QString& text) {
  std::string mask = ToFileBytes(text);
  if (!IsUsableMask(mask)) return;  // keeps the previous mask
  if (mask != browser_.mask()) browser_.SetMask(mask);
  showFiles();
}

void BrowserView::onFileClicked(int row, Qt::KeyboardModifiers modifiers) {
  ClickKind kind = ClickKind::kPlain;
  if (modifiers & Qt::ShiftModifier) {
    kind = ClickKind::kExtend;
  } else if (modifiers & Qt::ControlModifier) {
    kind = ClickKind::kToggle;
  }
  browser_.Click(row, kind);
  showSelection();
}

void BrowserView::onFileDoubleClicked(int row) {
  if (row != browser_.focused()) browser_.Click(row);
  setMaskText(FromFileBytes(browser_.CurrentFileName()));
}

void BrowserView::showDrive() {
  std::vector<std::string> drives;
  for (int i = 0; i < drv_list_->count(); ++i)
    drives.push_back(drv_list_->itemData(i).toByteArray().toStdString());
  QSignalBlocker blocker(drv_list_);
  drv_list_->setCurrentIndex(DriveOf(drives, browser_.folder()));
}

void BrowserView::showFolders() {
  QSignalBlocker blocker(dir_list_);
  dir_list_->clear();
  std::vector<std::string> chain = FolderChain(browser_.folder());
  for (std::size_t depth = 0; depth < chain.size(); ++depth)
    dir_list_->addItem(FolderItem(chain[depth], static_cast<int>(depth), true));
  for (const std::string& name : browser_.subfolders())
    dir_list_->addItem(FolderItem(browser_.PathOf(name), static_cast<int>(chain.size()), false));
  dir_list_->setCurrentRow(static_cast<int>(chain.size()) - 1);
  shown_folder_ = browser_.folder();
}

void BrowserView::showFiles() {
  QSignalBlocker blocker(fil_list_);
  fil_list_->clear();
  for (const FileEntry& file : browser_.files()) {
    auto* item = new QListWidgetItem(FromFileBytes(file.name), fil_list_);
    item->setToolTip(item->text());  // the whole name, however narrow the list
  }
  shown_mask_ = browser_.mask();
  showSelection();
}

void BrowserView::showSelection() {
  QSignalBlocker blocker(fil_list_);
  const std::vector<FileEntry>& files = browser_.files();
  for (int i = 0; i < fil_list_->count() && i < static_cast<int>(files.size()); ++i)
    fil_list_->item(i)->setSelected(files[static_cast<std::size_t>(i)].selected);
  if (browser_.focused() >= 0)
    fil_list_->selectionModel()->setCurrentIndex(fil_list_->model()->index(browser_.focused(), 0),
                                                 QItemSelectionModel::NoUpdate);
}

}  // namespace lorvan
