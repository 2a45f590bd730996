// The folder list and the file list of the browser, with the click and key rules of the
// window: the folder list opens its highlighted entry on a click, on Enter and when it loses
// the focus; the file list leaves its selection to the browser model and reports clicks.
#pragma once

#include <QListWidget>

namespace lorvan {

class FolderList : public QListWidget {
  Q_OBJECT

 public:
  using QListWidget::QListWidget;

 Q_SIGNALS:
  // The highlighted entry is to be opened.
  void openHighlighted();

 protected:
  void mouseReleaseEvent(QMouseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void focusOutEvent(QFocusEvent* event) override;
};

class FileList : public QListWidget {
  Q_OBJECT

 public:
  explicit FileList(QWidget* parent = nullptr);

 Q_SIGNALS:
  // Entry row was clicked, or reached with a key, with modifiers held.
  void entryClicked(int row, Qt::KeyboardModifiers modifiers);
  void entryDoubleClicked(int row);
  // A key may have changed the list's own selection: it is to be shown from the model again.
  void selectionTouched();

 protected:
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
};

}  // namespace lorvan
