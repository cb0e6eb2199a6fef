#pragma once

#include "config/mouse_config.h"

namespace korvane {

// The constant image the settings page starts from; bytes the record does not feed are the firmware's
// and go out unchanged.
extern const DevicePage SETTINGS_TEMPLATE;

// Byte sent at settings-page offset 0x33 for angle-snap positions 1-11 (index 0 unused).
extern const std::array<Byte, 12> ANGLE_SNAP_TABLE;

// Settings-page offsets that the record feeds.
inline constexpr std::size_t kPageAngleSnap = 0x33;
inline constexpr std::size_t kPageLightMode = 0x47;
inline constexpr std::size_t kPageLightParam = 0x48;
inline constexpr std::size_t kPageLightParam2 = 0x49;
inline constexpr std::size_t kPageSensitivityX = 0x4A;
inline constexpr std::size_t kPageSensitivityY = 0x4B;
inline constexpr std::size_t kPageStages = 0x54;
inline constexpr std::size_t kPageStagesAgain = 0x5C;
inline constexpr std::size_t kPageColors = 0x68;

Byte AngleSnapByte(Byte angleSnap);

// The 128-byte settings page sent with the write-settings command, built from the template and the record.
DevicePage BuildSettingsPage(const MouseConfig& config);

}  // namespace korvane
