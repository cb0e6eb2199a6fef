#pragma once

#include <QLineEdit>
#include <QListWidget>
#include <functional>
#include <string>

#include "ui/in_place_edit.h"

namespace korvane {

// The in-place editor of a list entry: a borderless line edit over the entry's row, the thin view of an
// InPlaceEdit. Enter, leaving the box (or CommitOpen) offers the text to `offer`; Escape cancels. The
// editor closes either way: a refused text leaves the entry with its old text, and `refused` (the owner
// of the list, which shows its warnings) is called once with the reason, after the editor has gone.
class CLBEditorWnd : public QLineEdit {
 public:
  using Refused = std::function<void(const std::string& message)>;
  CLBEditorWnd(QListWidget* list, int row, InPlaceEdit::Offer offer, Refused refused);

  // Commits the editors still open within `window`: a press on the window outside the box leaves it,
  // even where the press takes no focus.
  static void CommitOpen(QWidget* window);

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  void focusOutEvent(QFocusEvent* event) override;

 private:
  void Closed();

  InPlaceEdit edit_;
  QListWidget* list_;
  Refused refused_;
};

}  // namespace korvane
