#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace korvane {

// The name a key has in the key tables, from the virtual-key code and scan code Windows reports for it
// (the scan code with the extended-key flag in bit 8, as Qt's native scan code on Windows has it). Names
// follow the key-name convention of a US English layout whatever the layout and language of Windows: the
// keypad is "Num 1" ... "Num Del" whether Num Lock is on or not, left and right modifiers are told apart
// by the sided virtual keys or, for the generic ones, by the scan code. Keys whose name depends on the
// layout (the punctuation keys, letters such as "Ü") take systemName, the UTF-8 name Windows gives the
// key; without one they are "Key 0x<virtual key>". Every name is at most 31 characters.
std::string KeyNameFromWindowsKey(std::uint32_t virtualKey, std::uint32_t scanCode,
                                  std::string_view systemName);

}  // namespace korvane
