#pragma once

#include <array>
#include <cstdint>

#include "config/mouse_config.h"

namespace korvane {

// The four desktop pointer settings the record carries, as the values the system takes.
struct PointerSettings {
  // Mouse thresholds and acceleration: {6, 10, 1} with enhanced precision, {0, 0, 0} without.
  std::array<int, 3> mouseThresholds{};
  int pointerSpeed = 0;         // 1-20
  std::uint32_t wheelScrollLines = 0;  // kWheelPageScroll for one screen per notch
  int doubleClickTimeMs = 0;
};

// "One screen per notch" for the wheel-lines setting (all bits set).
inline constexpr std::uint32_t kWheelPageScroll = 0xFFFFFFFF;

// pointerPrecision 1 turns precision on (any other value off); pointerSpeed positions 1-11 give 1, 2, 4
// ... 20; scrollOneScreen overrides scrollLines; doubleClickSpeed positions 1-11 give 900 ... 200 ms.
// Positions outside 1-11 and line counts outside 1-100 (from a damaged file) are held to those ranges.
PointerSettings PointerSettingsOf(const MouseConfig& config);

}  // namespace korvane
