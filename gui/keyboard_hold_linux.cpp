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

}  // namespace

// X11: the window's keyboard grab; Wayland: the compositor's shortcut inhibition for its surface.
class KeyboardHold::Platform {
 public:
  explicit Platform(KeyboardHold& hold) : hold_(hold) {
    retry_.setInterval(kRetryMs);
    QObject::connect(&retry_, &QTimer::timeout, &hold, [this] { Try(); });
  }

  void Start() {
    // Elsewhere (offscreen, a screenshot) there is no desktop to take keys away from.
    if (started_ || !(OnX11() || OnWayland())) return;
    started_ = true;
    Try();
    if (!grabbed_ && inhibitor_ == nullptr) retry_.start();
  }

  void Stop() {
    if (!started_) return;
    started_ = false;
    retry_.stop();
    inhibitor_.reset();
    QWindow* window = hold_.window_->windowHandle();
    if (grabbed_ && window != nullptr) window->setKeyboardGrabEnabled(false);
    grabbed_ = false;
    hold_.SetBlocked(false);
  }

 private:
  void Try() {
    QWindow* window = hold_.window_->windowHandle();
    // A window that is not yet viewable cannot take the keyboard; that is no one else's doing.
    if (window == nullptr || !window->isExposed()) return;
    if (OnWayland()) {
      retry_.stop();
      inhibitor_ = ShortcutsInhibitor::Create(window, [this](bool active) { hold_.SetBlocked(!active); });
      if (inhibitor_ == nullptr) hold_.SetBlocked(true);
      return;
    }
    grabbed_ = window->setKeyboardGrabEnabled(true);
    if (grabbed_) retry_.stop();
    hold_.SetBlocked(!grabbed_);
  }

  KeyboardHold& hold_;
  QTimer retry_;
  bool started_ = false;
  bool grabbed_ = false;
  std::unique_ptr<ShortcutsInhibitor> inhibitor_;
};

KeyboardHold::KeyboardHold(QWidget* window, std::function<void()> changed)
    : window_(window), changed_(std::move(changed)), platform_(std::make_unique<Platform>(*this)) {}

KeyboardHold::~KeyboardHold() { platform_->Stop(); }

void KeyboardHold::Start() { platform_->Start(); }

void KeyboardHold::Stop() { platform_->Stop(); }

}  // namespace korvane
