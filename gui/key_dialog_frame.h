#pragma once

#include <QDialog>
#include <QFont>
#include <QImage>
#include <QStringList>
#include <functional>
#include <string>
#include <string_view>

#include "app/key_dialogs.h"
#include "gui/keyboard_hold.h"
#include "ui/skin_settings.h"

class QListWidget;

namespace korvane {

// What the three small key dialogs share: the background, the close, OK and Cancel buttons with their
// hover looks on one canvas, keys taken from the dialog's own key events (with the keyboard held, so
// that desktop shortcuts are captured as names), and Enter, Escape and F1 never closing it.
class CKeyDialogFrame : public QDialog {
 public:
  struct Face {
    std::string_view background;
    std::string_view backgroundFailed;  // the message when the background cannot be loaded
    std::string_view ok, cancel;
    std::string_view keyboardHeld;  // shown while the desktop may still act on keys
  };
  CKeyDialogFrame(QWidget* owner, const SkinSettings& skin, const Face& face, const QFont& font);
  ~CKeyDialogFrame() override;

  // True while keys may reach the desktop instead of the dialog (see KeyboardHold).
  bool keyboardBlocked() const { return hold_.blocked(); }

  bool loaded() const { return !background_.isNull(); }
  const QImage& canvas() const { return canvas_; }

 protected:
  // The dialog's own drawing over the shared face.
  virtual void DrawFace() {}
  // A key pressed or released in the dialog, by its name (empty for an event without system codes).
  // Auto-repeat does not come here.
  virtual void OnKey(const std::string& name) = 0;
  // OK, Cancel and close; true when the press was on one of them.
  bool PressButton(KeyDialogButton button);
  void Redraw();
  // A key name on the top face of a keycap picture, as large as the face allows: on one line when it
  // fits, else word by word over more lines.
  void DrawKeycapName(const Rect& face, std::string_view name);
  // Opens the dialog's drop-down list (modifiers, macro names) when `open` and it is closed, closes it
  // when not; a click on a row calls `choose` with the row, then redraws.
  void SyncList(bool open, const Rect& rect, const QStringList& rows, int rowHeight, std::function<void(int)> choose);

  void paintEvent(QPaintEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void leaveEvent(QEvent* event) override;
  void showEvent(QShowEvent* event) override;
  void done(int result) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

  const SkinSettings& skin_;
  QFont font_;
  QImage canvas_;
  QListWidget* list_ = nullptr;

 private:
  Face face_;
  QImage background_;
  KeyDialogButton hovered_ = KeyDialogButton::kNone;
  KeyboardHold hold_;
};

}  // namespace korvane
