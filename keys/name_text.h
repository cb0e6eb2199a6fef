#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace korvane {

// Key names and macro names live in 32-character buffers on the other platform the files are shared
// with: at most 31 UTF-16 units.
inline constexpr std::size_t kMaxNameLength = 31;

// Length of UTF-8 text in UTF-16 units (a character outside the BMP counts two). A byte outside a
// well-formed sequence counts one.
std::size_t NameLength(std::string_view utf8);
// The longest prefix of whole characters that is at most maxUnits UTF-16 units long.
std::string CutName(std::string_view utf8, std::size_t maxUnits = kMaxNameLength);

}  // namespace korvane
