#pragma once

#include <QDialog>
#include <QImage>
#include <QString>
#include <string_view>

#include "app/message_box.h"
#include "gui/window_move.h"
#include "ui/skin_colours.h"
#include "ui/skin_settings.h"

namespace korvane {

// The program's message box: frameless, on the skin's ground, with the skin's buttons; moved by a press
// on its face. Its window title is the caption, as the desktop lists it.
class CSkinMessageBox : public QDialog {
 public:
  CSkinMessageBox(QWidget* owner, const SkinSettings& skin, MessageBoxKind kind, std::string_view caption,
                  std::string_view text, std::string_view copyCaption = {});

  const MessageBoxModel& model() const { return model_; }
  const QString& text() const { return text_; }
  MessageBoxAnswer answer() const { return answer_; }
  // Ends the box with an answer, as its button does.
  void Answer(MessageBoxAnswer answer);

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void leaveEvent(QEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void showEvent(QShowEvent* event) override;
  void reject() override;

 private:
  void Redraw();

  const SkinSettings& skin_;
  MessageBoxModel model_;
  SkinColours colours_;
  QString caption_, text_;
  int wrap_ = Qt::TextWordWrap;
  QImage canvas_;
  int hovered_ = -1;  // a button, by its index
  bool closeHot_ = false;
  MessageBoxAnswer answer_ = MessageBoxAnswer::kNone;
  PendingWindowMove move_;
};

// The language of the boxes' buttons from now on (English until it is set).
void SetMessageBoxLanguage(Language language);

// Shows a box modally over its owner (or on its own when owner is null) and returns its answer.
MessageBoxAnswer ShowSkinMessage(QWidget* owner, const SkinSettings& skin, MessageBoxKind kind,
                                 std::string_view caption, std::string_view text);

}  // namespace korvane
