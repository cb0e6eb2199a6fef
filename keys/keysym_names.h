#pragma once

#include <cstdint>
#include <string>

namespace korvane {

// The name a key has in the key tables, from its X11 keysym (what Qt reports as a key event's native
// virtual key on Linux). Names follow the key-name convention of a US English layout: the key, not the
// character, so Shift+1 ("exclam") is "1" and the keypad is "Num 1" ... "Num Del" whether Num Lock is on
// or not. Keys outside the key table get a readable name ("F13", "Volume Up", the character itself, or
// "Key 0x<keysym>"); every name is at most 31 characters.
std::string KeyNameFromKeysym(std::uint32_t keysym);

}  // namespace korvane
