#pragma once

#include <QObject>
#include <QTimer>
#include <functional>
#include <memory>

class QWidget;

namespace korvane {

class ShortcutsInhibitor;

// Holds the keyboard for a window while it captures keys, so that the desktop's own shortcuts (Alt+F4,
// Alt+Tab, Super, Print) arrive as keys instead of acting. On X11 the window grabs the keyboard as soon
// as it is on the screen, and keeps trying while another client holds it; under Wayland it asks the
// compositor to inhibit its shortcuts for the window's surface.
class KeyboardHold : public QObject {
 public:
  // `changed` runs whenever blocked() changes.
  KeyboardHold(QWidget* window, std::function<void()> changed);
  ~KeyboardHold() override;

  void Start();
  void Stop();
  // True while the desktop may still act on keys: another client holds the keyboard, or the compositor
  // does not inhibit its shortcuts.
  bool blocked() const { return blocked_; }

 private:
  void Try();
  void SetBlocked(bool blocked);

  QWidget* window_;
  std::function<void()> changed_;
  QTimer retry_;
  bool started_ = false;
  bool grabbed_ = false;
  bool blocked_ = false;
  std::unique_ptr<ShortcutsInhibitor> inhibitor_;
};

}  // namespace korvane
