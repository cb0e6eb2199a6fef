#include "ui/window_placement.h"

#include <algorithm>

namespace korvane {

namespace {

// The start of a span of `size` inside [low, high), as near `at` as it can be; low when it is too large.
int Clamped(int at, int size, int low, int high) { return std::max(low, std::min(at, high - size)); }

}  // namespace

WindowPosition PlaceSecondaryWindow(const Rect& available, const Rect& mainFrame, int width, int height) {
  const auto fits = [&](int x) { return x >= available.left && x + width <= available.right; };
  const int right = mainFrame.right + kSecondaryWindowGap;
  const int left = mainFrame.left - kSecondaryWindowGap - width;
  // Beside the main window it starts level with it; over it, it is centred on it.
  WindowPosition at{mainFrame.left + (mainFrame.width() - width) / 2,
                    mainFrame.top + (mainFrame.height() - height) / 2};
  if (fits(right)) {
    at = {right, mainFrame.top};
  } else if (fits(left)) {
    at = {left, mainFrame.top};
  }
  return {Clamped(at.x, width, available.left, available.right),
          Clamped(at.y, height, available.top, available.bottom)};
}

WindowPosition PlaceOverWindow(const Rect& available, const Rect* ownerFrame, int width, int height) {
  const Rect& over = ownerFrame != nullptr ? *ownerFrame : available;
  return {Clamped(over.left + (over.width() - width) / 2, width, available.left, available.right),
          Clamped(over.top + (over.height() - height) / 2, height, available.top, available.bottom)};
}

}  // namespace korvane
