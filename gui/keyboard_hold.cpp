#include "gui/keyboard_hold.h"

namespace korvane {

void KeyboardHold::SetBlocked(bool blocked) {
  if (blocked == blocked_) return;
  blocked_ = blocked;
  if (changed_) changed_();
}

}  // namespace korvane
