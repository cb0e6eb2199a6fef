#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "config/mouse_config.h"
#include "config/value_rules.h"

namespace korvane::cli {

// "single", "pulsating", "cycle", or "unknown (N)".
std::string LightModeName(Byte mode);
// The level of the current mode as its mark: "100%", "6S", "9S"; "" for an unknown mode.
std::string LightLevelText(const MouseConfig& config);

// The stored colour of stage 0-3 as "#rrggbb".
std::string StageColorText(const MouseConfig& config, int stage);
// "#rrggbb" (either case) as a colour; nothing when the text is not one.
std::optional<StageColour> ParseStageColorText(std::string_view text);

// A button's function as the words `set button` takes, quoted for a shell: "cpi loop", "single-key A",
// "combo-key \"Left Ctrl\" A", "macro 0 2". A value no choice stores ("single-key code 0x64") is not
// one `set` takes.
std::string ButtonFunctionText(const MouseConfig& config, int button);

}  // namespace korvane::cli
