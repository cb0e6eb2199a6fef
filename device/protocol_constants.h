#pragma once

// What the mouse and the program agree on, in one place: its USB identifiers, its two vendor collections,
// the event reports it sends and the commands it takes.

#include <chrono>
#include <cstdint>

#include "common/small_types.h"

namespace korvane {

// The mouse's USB identifiers.
inline constexpr std::uint16_t MOUSE_VENDOR_ID = 0x04D9;
inline constexpr std::uint16_t MOUSE_PRODUCT_ID = 0xA0F4;

// Event types: 1-3 a sensitivity stage change (value = stage 1-6), 9 a macro switch (value = macro
// number), and two the program raises itself when the mouse comes or goes (value 0).
inline constexpr Byte EVENT_STAGE_FIRST = 1;
inline constexpr Byte EVENT_STAGE_LAST = 3;
inline constexpr Byte EVENT_MACRO_SWITCH = 9;
inline constexpr Byte EVENT_MOUSE_FOUND = 14;
inline constexpr Byte EVENT_MOUSE_LOST = 15;

// Usages of the mouse's two vendor collections.
inline constexpr std::uint16_t COMMAND_USAGE_PAGE = 0xFF00;
inline constexpr std::uint16_t COMMAND_USAGE = 0xFF00;
inline constexpr std::uint16_t EVENT_USAGE_PAGE = 0xFF01;
inline constexpr std::uint16_t EVENT_USAGE = 0x0001;

// An event report from the mouse: 06 07 <type> <value>.
inline constexpr Byte EVENT_REPORT_ID = 6;
inline constexpr Byte EVENT_REPORT_MARK = 7;

// Command codes. Bit 7 set: the mouse answers with a feature report that is read back at once.
inline constexpr Byte READ_BACK_FLAG = 0x80;
inline constexpr Byte CMD_ATTACH = 0x01;
inline constexpr Byte CMD_UPLOAD_BEGIN = 0x02;
inline constexpr Byte CMD_SET_REPORT_RATE = 0x03;
inline constexpr Byte CMD_WRITE_SETTINGS = 0x0C;
inline constexpr Byte CMD_WRITE_KEYS = 0x0D;
inline constexpr Byte CMD_WRITE_MACRO = 0x0F;
inline constexpr Byte CMD_READ_PROFILE = 0x82;
inline constexpr Byte CMD_READ_SETTINGS = 0x8C;

inline constexpr Byte ATTACH_BYTE = 0xFC;
// Byte 2 of a block command: the data length, always one 128-byte page.
inline constexpr Byte PAGE_LENGTH_BYTE = 0x80;

// Delays that follow the transfers; the firmware needs them.
inline constexpr std::chrono::milliseconds kChunkDelay{20};
inline constexpr std::chrono::milliseconds kSettingsDelay{10};
inline constexpr std::chrono::milliseconds kKeyPageDelay{2};
inline constexpr std::chrono::milliseconds kMacroPageDelay{20};
inline constexpr std::chrono::milliseconds kShortCommandDelay{10};

}  // namespace korvane
