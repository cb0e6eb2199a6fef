#pragma once

#include <functional>
#include <memory>

class QWidget;

namespace korvane {

// Holds the keyboard for a window while it captures keys, so that the desktop's own shortcuts (Alt+F4,
// Alt+Tab, Super, Print) arrive as keys instead of acting. On X11 the window grabs the keyboard as soon
// as it is on the screen, and keeps trying while another client holds it; under Wayland it asks the
// compositor to inhibit its shortcuts for the window's surface; on Windows a keyboard hook takes every key
// before the system acts on it and hands it to the window while the window is active.
class KeyboardHold {
 public:
  // `changed` runs whenever blocked() changes.
  KeyboardHold(QWidget* window, std::function<void()> changed);
  ~KeyboardHold();
  KeyboardHold(const KeyboardHold&) = delete;
  KeyboardHold& operator=(const KeyboardHold&) = delete;

  void Start();
  void Stop();
  // True while the desktop may still act on keys: another client holds the keyboard, the compositor
  // does not inhibit its shortcuts, or the system refused the hook.
  bool blocked() const { return blocked_; }

  // The system's side of the hold; each platform's file makes its own.
  class Platform {
   public:
    virtual ~Platform() = default;
    virtual void Start() = 0;
    virtual void Stop() = 0;
  };

 private:
  // setBlocked: what the platform's side calls as the desktop gains or loses its hold on the keys.
  static std::unique_ptr<Platform> MakePlatform(QWidget* window, std::function<void(bool)> setBlocked);
  void SetBlocked(bool blocked);

  std::function<void()> changed_;
  bool blocked_ = false;
  std::unique_ptr<Platform> platform_;
};

}  // namespace korvane
