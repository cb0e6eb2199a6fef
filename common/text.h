#pragma once

#include <string_view>

namespace korvane {

// Comparisons without regard to ASCII case, as INI section and key names, profile names and command
// tokens are matched. Bytes outside ASCII must be equal.
bool EqualsIgnoringCase(std::string_view a, std::string_view b);
bool StartsWithIgnoringCase(std::string_view text, std::string_view prefix);

// The text without the spaces, tabs and line ends around it.
std::string_view TrimmedBlanks(std::string_view text);

}  // namespace korvane
