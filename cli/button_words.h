#pragma once

#include <span>
#include <string>
#include <string_view>

#include "common/status.h"
#include "keys/button_catalogue.h"

namespace korvane {

// korvanectl's words for button functions.

// The word for an empty key place: {"single-key", "none"}, {"combo-key", "none", "none", "B"}.
inline constexpr std::string_view kNoKeyWord = "none";

// Reads a choice from words such as {"single-key", "A"}, {"combo-key", "Left Ctrl", "A", "B"},
// {"cpi", "loop"}, {"macro", "0", "2"}: the kind's token, then a sub-list token (or its English text), a
// key name, an optional modifier and up to two key names, or a macro number and repeat mode. Key names
// must be in the key table; a modifier key may also be named by its modifier name ("Left Ctrl" for
// "Ctrl"), and is then stored under its table name. The macro name is left empty for the caller to fill.
Status ParseButtonChoice(std::span<const std::string> words, ButtonChoice& choice);

}  // namespace korvane
