#pragma once

#include <QLineEdit>
#include <QListWidget>
#include <functional>
#include <string>

namespace korvane {

// The in-place editor of a list entry: a line edit over the entry's row. Enter or leaving the box
// offers the text to `commit`, which returns why it refuses it (the editor then stays open on the text)
// or an empty string (the editor closes). Escape closes it without a change.
class CLBEditorWnd : public QLineEdit {
 public:
  using Commit = std::function<std::string(const std::string& text)>;
  CLBEditorWnd(QListWidget* list, int row, Commit commit);

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  void focusOutEvent(QFocusEvent* event) override;

 private:
  void Finish();

  Commit commit_;
  bool finishing_ = false;
};

}  // namespace korvane
