#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

namespace korvane {

// The small types every layer shares: a byte of the record or of a frame, the mouse's 128-byte pages,
// and the counts of its buttons and on-board macros.
using Byte = std::uint8_t;

inline constexpr std::size_t kPageSize = 128;
inline constexpr std::size_t kButtonCount = 8;
inline constexpr std::size_t kMacroCount = 12;

// A 128-byte device page: the settings page, the key page or one macro page.
using DevicePage = std::array<Byte, kPageSize>;

}  // namespace korvane
