#include "app/browser_lists.h"

#include <QFocusEvent>
#include <QKeyEvent>
#include <QMouseEvent>

namespace lorvan {

void FolderList::mouseReleaseEvent(QMouseEvent* event) {
  QListWidget::mouseReleaseEvent(event);
  Q_EMIT openHighlighted();
}

void FolderList::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
    Q_EMIT openHighlighted();
    return;
  }
  QListWidget::keyPressEvent(event);  // arrow keys move the highlight only
}

void FolderList::focusOutEvent(QFocusEvent* event) {
  QListWidget::focusOutEvent(event);
  // Another window becoming active (a message box, another program) is not leaving the list.
  if (event->reason() != Qt::ActiveWindowFocusReason && event->reason() != Qt::PopupFocusReason)
    Q_EMIT openHighlighted();
}

FileList::FileList(QWidget* parent) : QListWidget(parent) {
  setSelectionMode(QAbstractItemView::ExtendedSelection);
}

void FileList::mousePressEvent(QMouseEvent* event) {
  setFocus(Qt::MouseFocusReason);
  int row = indexAt(event->position().toPoint()).row();
  if (row >= 0) Q_EMIT entryClicked(row, event->modifiers());
}

void FileList::mouseMoveEvent(QMouseEvent*) {
  // No selection by dragging: every selection goes through the click rule.
}

void FileList::mouseDoubleClickEvent(QMouseEvent* event) {
  int row = indexAt(event->position().toPoint()).row();
  if (row >= 0) Q_EMIT entryDoubleClicked(row);
}

void FileList::keyPressEvent(QKeyEvent* event) {
  int before = currentRow();
  QListWidget::keyPressEvent(event);
  if (currentRow() != before && currentRow() >= 0) {
    Q_EMIT entryClicked(currentRow(), event->modifiers());
  } else {
    Q_EMIT selectionTouched();
  }
}

}  // namespace lorvan
