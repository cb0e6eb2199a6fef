#pragma once

#include "ui/rect.h"

namespace korvane {

// Where a secondary window (the profile manager, the macro manager, a key dialog) opens, in screen
// pixels: beside the main window, right of it or else left of it, where it fits wholly on the screen's
// available area; else over the main window. The result always lies inside the available area, as far as
// the window's size allows (a window larger than the area starts at its top-left).
struct WindowPosition {
  int x = 0;
  int y = 0;
  bool operator==(const WindowPosition&) const = default;
};
inline constexpr int kSecondaryWindowGap = 8;
WindowPosition PlaceSecondaryWindow(const Rect& available, const Rect& mainFrame, int width, int height);
// Where a message box opens: centred over its owner's frame, or over the available area when it has no
// owner, and moved into the available area as far as its size allows.
WindowPosition PlaceOverWindow(const Rect& available, const Rect* ownerFrame, int width, int height);

}  // namespace korvane
