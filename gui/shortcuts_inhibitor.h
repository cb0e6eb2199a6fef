#pragma once

#include <functional>
#include <memory>

class QWindow;

namespace korvane {

// A request to the Wayland compositor that its keyboard shortcuts go to one window's surface as keys,
// for as long as the object lives. The compositor may grant it, refuse it or take it back; `activeChanged`
// says which.
class ShortcutsInhibitor {
 public:
  virtual ~ShortcutsInhibitor() = default;
  // Null when the compositor does not offer the inhibition, or the window has no surface yet.
  static std::unique_ptr<ShortcutsInhibitor> Create(QWindow* window, std::function<void(bool active)> activeChanged);
};

}  // namespace korvane
