#include "gui/lb_editor_wnd.h"

#include <QKeyEvent>
#include <QMessageBox>

namespace korvane {

CLBEditorWnd::CLBEditorWnd(QListWidget* list, int row, Commit commit)
    : QLineEdit(list->viewport()), commit_(std::move(commit)) {
  QListWidgetItem* item = list->item(row);
  setText(item->text());
  setGeometry(list->visualItemRect(item));
  selectAll();
  show();
  setFocus();
}

void CLBEditorWnd::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
    Finish();
    return;
  }
  if (event->key() == Qt::Key_Escape) {
    finishing_ = true;
    deleteLater();
    return;
  }
  QLineEdit::keyPressEvent(event);
}

void CLBEditorWnd::focusOutEvent(QFocusEvent* event) {
  QLineEdit::focusOutEvent(event);
  Finish();
}

void CLBEditorWnd::Finish() {
  if (finishing_) return;
  finishing_ = true;
  const std::string refusal = commit_(text().toStdString());
  if (!refusal.empty()) {
    QMessageBox::warning(window(), window()->windowTitle(), QString::fromStdString(refusal));
    finishing_ = false;
    setFocus();
    return;
  }
  deleteLater();
}

}  // namespace korvane
