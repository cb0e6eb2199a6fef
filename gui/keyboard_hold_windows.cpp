#include "gui/keyboard_hold.h"

#define WIN32_LEAN_AND_MEAN
#include <windows.h>

#include <QApplication>
#include <QKeyEvent>
#include <QWidget>
#include <set>

namespace korvane {

namespace {

// The keys the windows act on themselves; the capture names every other key by its codes alone.
int QtKeyOf(DWORD virtualKey, bool extended) {
  switch (virtualKey) {
    case VK_ESCAPE: return Qt::Key_Escape;
    case VK_RETURN: return extended ? Qt::Key_Enter : Qt::Key_Return;
    default: return Qt::Key_unknown;
  }
}

// A low-level keyboard hook: it sees every key before the system acts on it (Alt+F4, Alt+Tab, the Windows
// keys, Print), and while the window is active it takes the key from the system and posts it to the window
// as a key event with the key's own virtual key and scan code (bit 8: extended), as Windows' own key
// messages give them. A hook runs on the thread that set it, which is the window's.
class HookHold final : public KeyboardHold::Platform {
 public:
  HookHold(QWidget* window, std::function<void(bool)> setBlocked)
      : window_(window), setBlocked_(std::move(setBlocked)) {}

  void Start() override {
    // Offscreen (a screenshot, the tests) there is no desktop to take keys away from.
    if (started_ || QGuiApplication::platformName() != QLatin1String("windows")) return;
    started_ = true;
    hook_ = ::SetWindowsHookExW(WH_KEYBOARD_LL, &HookHold::Hook, ::GetModuleHandleW(nullptr), 0);
    if (hook_ == nullptr) {
      setBlocked_(true);
      return;
    }
    // The dialogs that hold the keyboard are modal: one holds it at a time.
    holding_ = this;
  }

  void Stop() override {
    if (!started_) return;
    started_ = false;
    if (holding_ == this) holding_ = nullptr;
    if (hook_ != nullptr) ::UnhookWindowsHookEx(hook_);
    hook_ = nullptr;
    down_.clear();
    setBlocked_(false);
  }

 private:
  static LRESULT CALLBACK Hook(int code, WPARAM message, LPARAM data) {
    if (code == HC_ACTION && holding_ != nullptr) {
      const auto& key = *reinterpret_cast<const KBDLLHOOKSTRUCT*>(data);
      const bool release = message == WM_KEYUP || message == WM_SYSKEYUP;
      if (holding_->Take(key, release)) return 1;
    }
    return ::CallNextHookEx(nullptr, code, message, data);
  }

  bool Take(const KBDLLHOOKSTRUCT& key, bool release) {
    QWidget* window = window_;
    // Keys meant for another program's window pass.
    if (!window->isActiveWindow()) return false;
    QWidget* target = QApplication::focusWidget();
    if (target == nullptr || target->window() != window) target = window;
    const bool extended = (key.flags & LLKHF_EXTENDED) != 0;
    // The system marks a held key's repeats in its messages, not in the hook.
    const bool repeat = release ? (down_.erase(key.vkCode), false) : !down_.insert(key.vkCode).second;
    auto* event = new QKeyEvent(release ? QEvent::KeyRelease : QEvent::KeyPress, QtKeyOf(key.vkCode, extended),
                                Qt::NoModifier, key.scanCode | (extended ? 0x100U : 0U), key.vkCode, 0, QString(),
                                repeat);
    event->setTimestamp(key.time);
    QCoreApplication::postEvent(target, event);
    return true;
  }

  static inline HookHold* holding_ = nullptr;
  QWidget* window_;
  std::function<void(bool)> setBlocked_;
  bool started_ = false;
  HHOOK hook_ = nullptr;
  std::set<DWORD> down_;  // keys pressed and not yet released
};

}  // namespace

std::unique_ptr<KeyboardHold::Platform> KeyboardHold::MakePlatform(QWidget* window,
                                                                   std::function<void(bool)> setBlocked) {
  return std::make_unique<HookHold>(window, std::move(setBlocked));
}

}  // namespace korvane
