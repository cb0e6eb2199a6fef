#pragma once

#include <QDialog>
#include <QElapsedTimer>
#include <QImage>
#include <QTimer>
#include <optional>
#include <string>

#include "app/macro_manager.h"
#include "app/main_controller.h"
#include "gui/keyboard_hold.h"
#include "gui/window_move.h"

class QLineEdit;
class QListWidget;

namespace korvane {

// The macro manager window: modal, skinned, drawn from one canvas. Presses, keys and list events go to
// MacroManagerModel; this class only paints what the model holds and keeps the three child controls in
// step with it.
class CMacroProgramDialog : public QDialog {
 public:
  CMacroProgramDialog(QWidget* mainWindow, MainController& controller);
  ~CMacroProgramDialog() override;

  MacroManagerModel& model() { return model_; }
  QListWidget* macroList() { return macroList_; }
  QListWidget* eventList() { return eventList_; }
  QLineEdit* loopCount() { return loopCount_; }
  const QImage& canvas() const { return canvas_; }
  // The pages encoded by OK; nothing after Cancel.
  const std::optional<MacroPages>& pages() const { return pages_; }

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void leaveEvent(QEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;
  void reject() override;

 private:
  PendingWindowMove move_;
  void Redraw();
  void RefillMacros();
  void RefillEvents();
  void ShowEventMenu(const QPoint& at);
  void OnRecordingChanged();
  // After a key event or a settled release: the list follows what was recorded, the wait for a held
  // release restarts, a reached limit ends the recording.
  void AfterKey(MacroRecorder::KeyOutcome outcome);
  // The window's warning box; the one place that shows refusals, the in-place editors' among them.
  void Warn(const std::string& message);
  void Ok();

  MainController& controller_;
  const MacroManagerStrings& strings_;
  MacroManagerModel model_;
  QImage background_;
  QImage canvas_;
  QFont font_;
  QListWidget* macroList_ = nullptr;
  QListWidget* eventList_ = nullptr;
  QLineEdit* loopCount_ = nullptr;
  MacroArea hovered_ = MacroArea::kNone;
  QElapsedTimer clock_;
  QTimer settle_;
  std::optional<MacroPages> pages_;
  KeyboardHold hold_;
};

}  // namespace korvane
