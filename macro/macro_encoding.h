#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

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

// What a macro's page could not carry as its section writes it. The page holds the nearest thing it can.
struct MacroPageChanges {
  // Key events that did not fit whole on the page; each was dropped with every event after it.
  int droppedEvents = 0;
  // Looping is on but the count is outside 1-65535 (or not a number): the page says 1. The count as
  // written is kept for the report.
  bool loopCountReplaced = false;
  std::string loopCountText;
  // Delays below 0 or above kMaxMacroDelay ms, sent as the nearest of the two.
  int clampedDelays = 0;
  // Key names without a key code, each listed once; their events carry code 0 and play nothing.
  std::vector<std::string> unknownKeyNames;

  bool Any() const {
    return droppedEvents != 0 || loopCountReplaced || clampedDelays != 0 || !unknownKeyNames.empty();
  }
};

struct MacroPageEncoding : MacroPageChanges {
  DevicePage page{};
};

// One macro's 128-byte page: the loop count (high byte first), then the event slots packed from byte 2,
// zeros after them. Each key event carries the delay written on the line after it. A section whose item
// count is 0 gives 128 zero bytes.
MacroPageEncoding EncodeMacroPage(const MacroSection& section);

struct MacroEncoding {
  MacroPages pages{};
  int droppedEvents = 0;  // over all macros
  int droppedMacros = 0;  // listed macros beyond the twelfth, which have no page
  // Sections that are not listed (MacroNames) and so have no page either.
  int unlistedSections = 0;
  // Page by page, what the pages could not carry (macro k on page k + 1).
  std::array<MacroPageChanges, kMacroCount> changes{};
};

// Pages 1-12 from the listed macros of record.ini (MacroNames), macro k on page k + 1; the rest zero.
MacroEncoding EncodeMacroPages(const IniDocument& document);

}  // namespace korvane
