#pragma once

#include <array>
#include <string_view>

#include "common/small_types.h"

namespace korvane {

// Key codes are usage IDs of the HID Keyboard/Keypad page (0x04-0xE7), the program's own mouse-button
// codes 0xF0-0xF2, or 0 for no key. Names are UTF-8, compared whole and case-sensitively.
inline constexpr Byte kNoKeyCode = 0x00;
inline constexpr Byte kLeftCtrlKeyCode = 0xE0;
inline constexpr Byte kLeftButtonCode = 0xF0;
inline constexpr Byte kRightButtonCode = 0xF1;
inline constexpr Byte kMiddleButtonCode = 0xF2;

// Key names and codes of the single-key and combo-key assignments; 0 for any other name.
Byte KeyNameToUsage(std::string_view name);
// The key table's name of a code; "" for a code without one.
std::string_view UsageToKeyName(Byte code);
// The same table without "Application", for macro events; 0 for any other name.
Byte MacroKeyNameToUsage(std::string_view name);
// Boot-keyboard modifier bit of "Left Ctrl" ... "Right Win"; 0 for any other name.
Byte ModifierNameToBit(std::string_view name);

// The modifier names in the order the combo-key dialog lists them (bit 0 to bit 7).
inline constexpr std::array<std::string_view, 8> MODIFIER_NAMES = {
    "Left Ctrl", "Left Shift", "Left Alt", "Left Win", "Right Ctrl", "Right Shift", "Right Alt", "Right Win"};
// Modifier bit b and the key code kFirstModifierKeyCode + b are the same key ("Left Ctrl" and "Ctrl").
inline constexpr Byte kFirstModifierKeyCode = kLeftCtrlKeyCode;

struct KeyNameCode {
  std::string_view name;
  Byte code;
};
// The key table in search order (108 rows).
extern const std::array<KeyNameCode, 108> KEY_TABLE;

}  // namespace korvane
