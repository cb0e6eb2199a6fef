#include "gui/lb_editor_wnd.h"

#include <QFocusEvent>
#include <QKeyEvent>
#include <algorithm>

namespace korvane {

CLBEditorWnd::CLBEditorWnd(QListWidget* list, int row, InPlaceEdit::Offer offer, Refused refused)
    : QLineEdit(list->viewport()),
      edit_(list->item(row)->text().toStdString(), std::move(offer)),
      list_(list),
      refused_(std::move(refused)) {
  QListWidgetItem* item = list->item(row);
  setText(item->text());
  // Over the row, and tall enough for the font's whole line where the row is lower than that.
  QRect place = list->visualItemRect(item);
  const int height = std::max(place.height(), minimumSizeHint().height());
  place.adjust(0, -(height - place.height()) / 2, 0, 0);
  place.setHeight(height);
  // Inside the list: the first and last rows' editors grow away from its edges.
  place.moveTop(std::clamp(place.top(), 0, std::max(0, list->viewport()->height() - height)));
  setGeometry(place);
  selectAll();
  show();
  setFocus();
}

void CLBEditorWnd::CommitOpen(QWidget* window) {
  for (QLineEdit* box : window->findChildren<QLineEdit*>()) {
    if (auto* editor = dynamic_cast<CLBEditorWnd*>(box)) {
      editor->edit_.Commit(editor->text().toStdString());
      editor->Closed();
    }
  }
}

void CLBEditorWnd::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
    event->accept();  // the window behind (a dialog's default button) never sees it
    edit_.Commit(text().toStdString());
    Closed();
    return;
  }
  if (event->key() == Qt::Key_Escape) {
    event->accept();  // nor Escape: it ends the edit, not the window
    edit_.Cancel();
    Closed();
    return;
  }
  QLineEdit::keyPressEvent(event);
}

void CLBEditorWnd::focusOutEvent(QFocusEvent* event) {
  QLineEdit::focusOutEvent(event);
  // A popup (the box's own context menu) gives the focus back when it closes: the edit goes on.
  if (event->reason() == Qt::PopupFocusReason) return;
  edit_.Commit(text().toStdString());
  Closed();
}

void CLBEditorWnd::Closed() {
  if (edit_.open() || isHidden()) return;
  hide();  // the focus-out this sends finds the edit closed
  deleteLater();
  std::string message = edit_.TakeMessage();
  if (message.empty() || !refused_) return;
  // Told from the event loop, once the editor is gone, never from within its key or focus handling; not
  // at all when the list went first (the window closed).
  QMetaObject::invokeMethod(
      list_, [refused = refused_, message = std::move(message)] { refused(message); }, Qt::QueuedConnection);
}

}  // namespace korvane
