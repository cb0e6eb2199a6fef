#pragma once

#include <array>
#include <cstdint>
#include <string_view>

#include "config/ini_file.h"
#include "config/mouse_config.h"
#include "macro/macro_section.h"

namespace korvane {

// Code byte of a slot that extends the delay of the key event before it.
inline constexpr Byte DELAY_EXTEND_CODE = 0x03;
// Delay of a key event not followed by a delay line when delays were not recorded.
inline constexpr std::string_view DEFAULT_STEP_DELAY = "50 ms";
// The largest delay the event editor accepts; its hundreds fill the 16-bit count exactly.
inline constexpr long long kMaxMacroDelay = 6553500;
inline constexpr std::size_t kMacroPageEventStart = 2;

using MacroPages = std::array<DevicePage, kMacroCount>;

struct MacroPageEncoding {
  DevicePage page{};
  // Key events that did not fit whole on the page; each was dropped with every event after it.
  int droppedEvents = 0;
};

// One macro's 128-byte page: the loop count (high byte first), then the event slots packed from byte 2,
// zeros after them. Each key event carries the delay written on the line after it. A section whose item
// count is 0 gives 128 zero bytes.
MacroPageEncoding EncodeMacroPage(const MacroSection& section);

struct MacroEncoding {
  MacroPages pages{};
  int droppedEvents = 0;  // over all macros
  int droppedMacros = 0;  // listed macros beyond the twelfth, which have no page
};

// Pages 1-12 from the listed macros of record.ini (MacroNames), macro k on page k + 1; the rest zero.
MacroEncoding EncodeMacroPages(const IniDocument& document);

}  // namespace korvane
