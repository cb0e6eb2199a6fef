#include "keys/windows_key_names.h"

#include <cstdio>

#include "keys/name_text.h"

namespace korvane {
namespace {

constexpr std::uint32_t kExtendedScan = 0x100;
constexpr std::uint32_t kScanMask = 0x1FF;  // scan byte and extended flag

// VK_SHIFT, VK_CONTROL and VK_MENU: the modifiers without a side, as window messages report them.
constexpr std::uint32_t kShiftKey = 0x10;
constexpr std::uint32_t kCtrlKey = 0x11;
constexpr std::uint32_t kAltKey = 0x12;
constexpr std::uint32_t kRightShiftScan = 0x36;  // the right Shift is not an extended key

struct VirtualKeyName {
  std::uint32_t virtualKey;
  std::string_view name;
};

// Keys named by their virtual key alone; the names Windows gives them on a US English layout.
constexpr VirtualKeyName VIRTUAL_KEY_NAMES[] = {
    {0x03, "Break"},  // VK_CANCEL: Ctrl+Pause
    {0x08, "Backspace"}, {0x09, "Tab"}, {0x0D, "Enter"}, {0x13, "Pause"}, {0x14, "Caps Lock"},
    {0x1B, "Esc"}, {0x20, "Space"}, {0x21, "Page Up"}, {0x22, "Page Down"}, {0x23, "End"},
    {0x24, "Home"}, {0x25, "Left"}, {0x26, "Up"}, {0x27, "Right"}, {0x28, "Down"},
    {0x2C, "Prnt Scrn"},  // VK_SNAPSHOT, also with Alt (scan 0x54)
    {0x2D, "Insert"}, {0x2E, "Delete"},
    {0x5B, "Left Windows"}, {0x5C, "Right Windows"}, {0x5D, "Application"},
    {0x60, "Num 0"}, {0x61, "Num 1"}, {0x62, "Num 2"}, {0x63, "Num 3"}, {0x64, "Num 4"},
    {0x65, "Num 5"}, {0x66, "Num 6"}, {0x67, "Num 7"}, {0x68, "Num 8"}, {0x69, "Num 9"},
    {0x6A, "Num *"}, {0x6B, "Num +"}, {0x6C, "Num Del"}, {0x6D, "Num -"}, {0x6E, "Num Del"},
    {0x6F, "Num /"}, {0x90, "Num Lock"}, {0x91, "Scroll Lock"},
    // Sided modifiers, as a low-level keyboard hook reports them.
    {0xA0, "Shift"}, {0xA1, "Right Shift"}, {0xA2, "Ctrl"}, {0xA3, "Right Ctrl"}, {0xA4, "Alt"},
    {0xA5, "Right Alt"},
    {0xA6, "Browser Back"}, {0xA7, "Browser Forward"}, {0xAA, "Search"}, {0xAC, "Browser-Home"},
    {0xAD, "Mute"}, {0xAE, "Volume Down"}, {0xAF, "Volume Up"}, {0xB0, "Next Track"},
    {0xB1, "Pre Track"}, {0xB2, "Stop"}, {0xB3, "Play/Pause"}, {0xB4, "Mail"},
    {0xB7, "Calculator"},  // VK_LAUNCH_APP2
};

struct KeypadScanName {
  std::uint32_t scanCode;  // with the extended flag
  std::uint32_t virtualKey;
  std::string_view name;
};

// Keypad keys whose virtual key is also that of another key: with Num Lock off (or with Shift) the
// keypad sends the virtual keys of the navigation block, and its Enter that of the main Enter. Only the
// scan code tells them apart; the navigation block's keys have the extended flag.
constexpr KeypadScanName KEYPAD_SCAN_NAMES[] = {
    {0x047, 0x24, "Num 7"}, {0x048, 0x26, "Num 8"}, {0x049, 0x21, "Num 9"}, {0x04B, 0x25, "Num 4"},
    {0x04C, 0x0C, "Num 5"},  // VK_CLEAR
    {0x04D, 0x27, "Num 6"}, {0x04F, 0x23, "Num 1"}, {0x050, 0x28, "Num 2"}, {0x051, 0x22, "Num 3"},
    {0x052, 0x2D, "Num 0"}, {0x053, 0x2E, "Num Del"}, {0x11C, 0x0D, "Num Enter"},
};

constexpr std::uint32_t kFirstFunctionKey = 0x70;  // VK_F1
constexpr std::uint32_t kLastFunctionKey = 0x87;   // VK_F24

// The left or right name of a modifier without a side.
std::string_view GenericModifierName(std::uint32_t virtualKey, std::uint32_t scanCode) {
  const bool extended = (scanCode & kExtendedScan) != 0;
  switch (virtualKey) {
    case kShiftKey: return (scanCode & 0xFF) == kRightShiftScan ? "Right Shift" : "Shift";
    case kCtrlKey: return extended ? "Right Ctrl" : "Ctrl";
    case kAltKey: return extended ? "Right Alt" : "Alt";
    default: return {};
  }
}

std::string_view FixedName(std::uint32_t virtualKey, std::uint32_t scanCode) {
  const std::string_view modifier = GenericModifierName(virtualKey, scanCode);
  if (!modifier.empty()) return modifier;
  for (const KeypadScanName& row : KEYPAD_SCAN_NAMES) {
    if (row.virtualKey == virtualKey && row.scanCode == (scanCode & kScanMask)) return row.name;
  }
  for (const VirtualKeyName& row : VIRTUAL_KEY_NAMES) {
    if (row.virtualKey == virtualKey) return row.name;
  }
  return {};
}

}  // namespace

std::string KeyNameFromWindowsKey(std::uint32_t virtualKey, std::uint32_t scanCode,
                                  std::string_view systemName) {
  // Letters and digits have their character as virtual key on every layout.
  if ((virtualKey >= 'A' && virtualKey <= 'Z') || (virtualKey >= '0' && virtualKey <= '9')) {
    return std::string(1, static_cast<char>(virtualKey));
  }
  if (virtualKey >= kFirstFunctionKey && virtualKey <= kLastFunctionKey) {
    return "F" + std::to_string(virtualKey - kFirstFunctionKey + 1);
  }
  const std::string_view fixed = FixedName(virtualKey, scanCode);
  if (!fixed.empty()) return std::string(fixed);
  if (!systemName.empty()) return CutName(systemName);

  char fallback[24];
  std::snprintf(fallback, sizeof fallback, "Key 0x%X", static_cast<unsigned>(virtualKey));
  return fallback;
}

}  // namespace korvane
