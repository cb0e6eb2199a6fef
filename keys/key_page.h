#pragma once

#include <array>
#include <cstddef>

#include "config/button_kind.h"
#include "config/mouse_config.h"

namespace korvane {

// One button's four bytes on the key page: byte 0 the entry type, bytes 1-3 its parameters.
using ButtonEntry = std::array<Byte, 4>;

// Key-page slot (4 bytes each) of buttons 1-8; the firmware keeps the wheel buttons 4 and 5 in slots 14
// and 15.
inline constexpr std::array<std::size_t, kButtonCount> KEY_SLOT_OF_BUTTON = {0, 1, 2, 14, 15, 3, 4, 5};

// Entry types (byte 0).
inline constexpr Byte kEntryKeyboard = 0x00;
inline constexpr Byte kEntryMouseButton = 0x01;
inline constexpr Byte kEntryConsumer = 0x03;
inline constexpr Byte kEntryCpi = 0x07;
inline constexpr Byte kEntryMacro = 0x09;
inline constexpr Byte kEntryDoubleClick = 0x0A;

// The entry of button 0-7, from its kind and that kind's parameter bytes only. Unknown kinds and
// out-of-range sub-list positions give four zero bytes (a button without function).
ButtonEntry EncodeButtonEntry(const MouseConfig& config, int button);

// The 128-byte key page sent with the write-keys command: every button at its slot, other slots zero.
DevicePage BuildKeyPage(const MouseConfig& config);

}  // namespace korvane
