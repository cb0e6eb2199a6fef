#include "gui/keyboard_hold.h"

#include <QGuiApplication>
#include <QTimer>
#include <QWidget>
#include <QWindow>

#include "gui/shortcuts_inhibitor.h"

namespace korvane {

namespace {

// How often the grab is tried again while another client holds the keyboard.
constexpr int kRetryMs = 100;

bool OnX11() { return QGuiApplication::platformName() == QLatin1String("xcb"); }
bool OnWayland() { return QGuiApplication::platformName().startsWith(QLatin1String("wayland")); }

// X11: the window's keyboard grab; Wayland: the compositor's shortcut inhibition for its surface.
class DesktopHold final : public KeyboardHold::Platform {
 public:
  DesktopHold(QWidget* window, std::function<void(bool)> setBlocked)
      : window_(window), setBlocked_(std::move(setBlocked)) {
    retry_.setInterval(kRetryMs);
    QObject::connect(&retry_, &QTimer::timeout, [this] { Try(); });
  }

  void Start() override {
    // Elsewhere (offscreen, a screenshot) there is no desktop to take keys away from.
    if (started_ || !(OnX11() || OnWayland())) return;
    started_ = true;
    Try();
    if (!grabbed_ && inhibitor_ == nullptr) retry_.start();
  }

  void Stop() override {
    if (!started_) return;
    started_ = false;
    retry_.stop();
    inhibitor_.reset();
    QWindow* window = window_->windowHandle();
    if (grabbed_ && window != nullptr) window->setKeyboardGrabEnabled(false);
    grabbed_ = false;
    setBlocked_(false);
  }

 private:
  void Try() {
    QWindow* window = window_->windowHandle();
    // A window that is not yet viewable cannot take the keyboard; that is no one else's doing.
    if (window == nullptr || !window->isExposed()) return;
    if (OnWayland()) {
      retry_.stop();
      inhibitor_ = ShortcutsInhibitor::Create(window, [this](bool active) { setBlocked_(!active); });
      if (inhibitor_ == nullptr) setBlocked_(true);
      return;
    }
    grabbed_ = window->setKeyboardGrabEnabled(true);
    if (grabbed_) retry_.stop();
    setBlocked_(!grabbed_);
  }

  QWidget* window_;
  std::function<void(bool)> setBlocked_;
  QTimer retry_;
  bool started_ = false;
  bool grabbed_ = false;
  std::unique_ptr<ShortcutsInhibitor> inhibitor_;
};

}  // namespace

std::unique_ptr<KeyboardHold::Platform> KeyboardHold::MakePlatform(QWidget* window,
                                                                   std::function<void(bool)> setBlocked) {
  return std::make_unique<DesktopHold>(window, std::move(setBlocked));
}

}  // namespace korvane
