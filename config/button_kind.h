#pragma once

#include <cstdint>

namespace korvane {

// Function kind of a button as stored in MouseConfig::buttonKind; the value is also the position of the
// function in the button's assignment list.
enum class ButtonKind : std::uint8_t {
  Click = 0,
  Menu = 1,
  ScrollSelect = 2,
  IeForward = 3,
  IeBackward = 4,
  DoubleClick = 5,
  CpiCycle = 6,
  Multimedia = 7,
  HotKey = 8,
  Windows = 9,
  SingleKey = 10,
  ComboKey = 11,
  MacroKey = 12,
  ButtonOff = 13,
};

inline constexpr int kButtonKindCount = 14;

// The buttonArg array (MouseConfig::Arg k) that each kind reads and writes. No other array is used.
inline constexpr int kScrollSelectArg = 1;   // 1 middle button, 2 wheel up, 3 wheel down
inline constexpr int kCpiCycleArg = 2;       // 1 step up, 2 step down, 3 cycle
inline constexpr int kMultimediaArg = 4;     // low byte of a consumer usage
inline constexpr int kWindowsArg = 5;        // position 0-6 in the "Windows" sub-list
inline constexpr int kHotKeyArg = 9;         // letter key code sent with left Ctrl
inline constexpr int kSingleKeyArg = 10;     // key code
inline constexpr int kComboModifierArg = 11; // modifier byte
inline constexpr int kComboFirstKeyArg = 12;
inline constexpr int kComboSecondKeyArg = 13;
inline constexpr int kMacroNumberArg = 18;   // 0-based macro number; the mouse's page is this plus 1
inline constexpr int kMacroRepeatArg = 19;   // repeat mode 0-2

}  // namespace korvane
