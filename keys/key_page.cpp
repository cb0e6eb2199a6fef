#include "keys/key_page.h"

#include <algorithm>

#include "keys/key_tables.h"

namespace korvane {
namespace {

// Button codes of mouse-button entries beyond the three of the key table.
constexpr Byte kBackButtonCode = 0xF3;
constexpr Byte kForwardButtonCode = 0xF4;
constexpr Byte kWheelUpCode = 0xF7;
constexpr Byte kWheelDownCode = 0xF8;

constexpr ButtonEntry MouseButtonEntry(Byte code) { return {kEntryMouseButton, 0x00, code, 0x00}; }

// Entries of the "Windows" sub-list, by position: consumer usages (low byte first) or key chords.
constexpr std::array<ButtonEntry, 7> WINDOWS_COMMAND_ENTRIES = {{
    {kEntryConsumer, 0x00, 0x94, 0x01},  // My computer: usage 0x0194
    {kEntryConsumer, 0x00, 0x23, 0x02},  // Browser-Home: usage 0x0223
    {kEntryConsumer, 0x00, 0x21, 0x02},  // Search: usage 0x0221
    {kEntryKeyboard, 0x04, 0x2C, 0x1B},  // Maximum: left Alt + Space, X
    {kEntryKeyboard, 0x04, 0x2C, 0x11},  // Minimum: left Alt + Space, N
    {kEntryKeyboard, 0x00, 0xE3, 0x07},  // Show desktop: left Windows, D
    {kEntryKeyboard, 0x00, 0xE3, 0x15},  // Run: left Windows, R
}};

constexpr Byte kMediaPlayerUsage = 0x83;  // sent as consumer usage 0x0183; the others fit one byte

}  // namespace

ButtonEntry EncodeButtonEntry(const MouseConfig& config, int button) {
  auto arg = [&](int k) { return config.Arg(k, button); };
  switch (static_cast<ButtonKind>(config.buttonKind[button])) {
    case ButtonKind::Click:
      return MouseButtonEntry(kLeftButtonCode);
    case ButtonKind::Menu:
      return MouseButtonEntry(kRightButtonCode);
    case ButtonKind::ScrollSelect:
      switch (arg(kScrollSelectArg)) {
        case 1: return MouseButtonEntry(kMiddleButtonCode);
        case 2: return MouseButtonEntry(kWheelUpCode);
        case 3: return MouseButtonEntry(kWheelDownCode);
        default: return {};
      }
    case ButtonKind::IeForward:
      return MouseButtonEntry(kForwardButtonCode);
    case ButtonKind::IeBackward:
      return MouseButtonEntry(kBackButtonCode);
    case ButtonKind::DoubleClick:
      return {kEntryDoubleClick, 0xF0, 0x1E, 0x02};
    case ButtonKind::CpiCycle:
      return {kEntryCpi, 0x00, arg(kCpiCycleArg), 0x00};
    case ButtonKind::Multimedia: {
      const Byte usage = arg(kMultimediaArg);
      return {kEntryConsumer, 0x00, usage, Byte(usage == kMediaPlayerUsage ? 0x01 : 0x00)};
    }
    case ButtonKind::HotKey:
      return {kEntryKeyboard, 0x00, kLeftCtrlKeyCode, arg(kHotKeyArg)};
    case ButtonKind::Windows: {
      const Byte position = arg(kWindowsArg);
      return position < WINDOWS_COMMAND_ENTRIES.size() ? WINDOWS_COMMAND_ENTRIES[position] : ButtonEntry{};
    }
    case ButtonKind::SingleKey:
      return {kEntryKeyboard, 0x00, arg(kSingleKeyArg), 0x00};
    case ButtonKind::ComboKey:
      return {kEntryKeyboard, arg(kComboModifierArg), arg(kComboFirstKeyArg), arg(kComboSecondKeyArg)};
    case ButtonKind::MacroKey:
      return {kEntryMacro, arg(kMacroRepeatArg), Byte(arg(kMacroNumberArg) + 1), 0x00};
    case ButtonKind::ButtonOff:
      break;
  }
  return {};
}

DevicePage BuildKeyPage(const MouseConfig& config) {
  DevicePage page{};
  for (int button = 0; button < int(kButtonCount); ++button) {
    const ButtonEntry entry = EncodeButtonEntry(config, button);
    std::copy(entry.begin(), entry.end(), page.begin() + 4 * KEY_SLOT_OF_BUTTON[button]);
  }
  return page;
}

}  // namespace korvane
