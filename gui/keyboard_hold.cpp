#include "gui/keyboard_hold.h"

#include <QGuiApplication>
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

KeyboardHold::KeyboardHold(QWidget* window, std::function<void()> changed)
    : window_(window), changed_(std::move(changed)) {
  retry_.setInterval(kRetryMs);
  connect(&retry_, &QTimer::timeout, this, [this] { Try(); });
}

KeyboardHold::~KeyboardHold() { Stop(); }

void KeyboardHold::Start() {
  // Elsewhere (offscreen, a screenshot) there is no desktop to take keys away from.
  if (started_ || !(OnX11() || OnWayland())) return;
  started_ = true;
  Try();
  if (!grabbed_ && inhibitor_ == nullptr) retry_.start();
}

void KeyboardHold::Stop() {
  if (!started_) return;
  started_ = false;
  retry_.stop();
  inhibitor_.reset();
  if (grabbed_ && window_->windowHandle() != nullptr) window_->windowHandle()->setKeyboardGrabEnabled(false);
  grabbed_ = false;
  SetBlocked(false);
}

void KeyboardHold::Try() {
  QWindow* window = window_->windowHandle();
  // A window that is not yet viewable cannot take the keyboard; that is no one else's doing.
  if (window == nullptr || !window->isExposed()) return;
  if (OnWayland()) {
    retry_.stop();
    inhibitor_ = ShortcutsInhibitor::Create(window, [this](bool active) { SetBlocked(!active); });
    if (inhibitor_ == nullptr) SetBlocked(true);
    return;
  }
  grabbed_ = window->setKeyboardGrabEnabled(true);
  if (grabbed_) retry_.stop();
  SetBlocked(!grabbed_);
}

void KeyboardHold::SetBlocked(bool blocked) {
  if (blocked == blocked_) return;
  blocked_ = blocked;
  if (changed_) changed_();
}

}  // namespace korvane
