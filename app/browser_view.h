// The four browser controls of the main window (drive list, folder list, mask box, file list)
// as views over the file-browser model, wired by the window's rules: a click opens a folder, a
// second click on a file deselects it, a double click makes a file's name the mask, typing in
// the mask box refilters at once. A folder that cannot be opened or a mask that cannot be
// applied keeps the previous one.
#pragma once

#include <QObject>
#include <QString>
#include <string>

#include "browser/file_browser.h"

class QComboBox;
class QWidget;

namespace lorvan {

class FileList;
class FolderList;

class BrowserView : public QObject {
  Q_OBJECT

 public:
  // Makes the controls as children of parent. REQUIRES: browser outlives the view.
  BrowserView(FileBrowser& browser, QWidget* parent);

  QComboBox* driveList() const { return drv_list_; }
  FolderList* folderList() const { return dir_list_; }
  QComboBox* maskBox() const { return cmb_maska_; }
  FileList* fileList() const { return fil_list_; }

  // The mask box's text as file-name bytes.
  std::string maskBytes() const;
  // Sets the mask box's text, which applies it as the mask.
  void setMaskText(const QString& text);
  // Shows the model again: drive, folder with its subfolders, files and selection.
  void refresh();
  // Shows the model again when its folder or mask is not the one shown (cheap when it is).
  void refreshIfMoved();
  // A run has moved into folder: the model follows it (the lists repaint at the next
  // refreshIfMoved). A folder that cannot be read leaves the model where it is.
  void followRunFolder(const std::string& folder);
  // A run has taken mask (the one selected file's name) as the mask: the mask box shows it and
  // the model filters by it.
  void followRunMask(const std::string& mask);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private Q_SLOTS:
  void onDriveChosen(int index);
  void openHighlightedFolder();
  void onMaskTextChanged(const QString& text);
  void onFileClicked(int row, Qt::KeyboardModifiers modifiers);
  void onFileDoubleClicked(int row);

 private:
  void createWidgets(QWidget* parent);
  void connectSignals();
  void showDrive();
  void showFolders();
  void showFiles();
  void showSelection();

  FileBrowser& browser_;
  QComboBox* drv_list_;
  FolderList* dir_list_;
  QComboBox* cmb_maska_;
  FileList* fil_list_;
  std::string shown_folder_;  // the folder and mask the lists show
  std::string shown_mask_;
};

}  // namespace lorvan
