#include "system/pointer_settings.h"

#include <algorithm>

namespace korvane {

PointerSettings PointerSettingsOf(const MouseConfig& config) {
  PointerSettings settings;
  if (config.pointerPrecision == 1) settings.mouseThresholds = {6, 10, 1};
  const int speed = std::clamp<int>(config.pointerSpeed, 1, 11);
  settings.pointerSpeed = speed == 1 ? 1 : 2 * speed - 2;
  settings.wheelScrollLines =
      config.scrollOneScreen != 0 ? kWheelPageScroll : std::clamp<std::uint32_t>(config.scrollLines, 1, 100);
  settings.doubleClickTimeMs = 970 - 70 * std::clamp<int>(config.doubleClickSpeed, 1, 11);
  return settings;
}

}  // namespace korvane
