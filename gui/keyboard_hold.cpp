#include "gui/keyboard_hold.h"

namespace korvane {

KeyboardHold::KeyboardHold(QWidget* window, std::function<void()> changed)
    : changed_(std::move(changed)), platform_(MakePlatform(window, [this](bool blocked) { SetBlocked(blocked); })) {}

KeyboardHold::~KeyboardHold() { platform_->Stop(); }

void KeyboardHold::Start() { platform_->Start(); }

void KeyboardHold::Stop() { platform_->Stop(); }

void KeyboardHold::SetBlocked(bool blocked) {
  if (blocked == blocked_) return;
  blocked_ = blocked;
  if (changed_) changed_();
}

}  // namespace korvane
