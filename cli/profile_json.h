#pragma once

#include <ostream>
#include <string_view>

#include "common/status.h"
#include "config/label_file.h"
#include "config/mouse_config.h"

namespace korvane::cli {

// A profile as JSON text: every field of the record under its name in MouseConfig and in record order,
// the button labels beside their buttons, and the twelve macro pages as hex. profileSlot is left out: the
// mouse sets it on every connection, so it belongs to the profile file, not to the settings.
void WriteProfileJson(std::ostream& out, const MouseConfig& config, const ButtonLabels& labels);

// Reads what WriteProfileJson writes, strictly: every field must be there with its type and size, no
// other key may be, bytes are 0-255, and labels must fit the label files. Failures name the field
// ("buttons[2].buttonArg[4]: ..."); on failure config and labels are unchanged. config's profileSlot is
// kept. Whether the values suit their fields is left to the caller (ValidateConfig).
Status ReadProfileJson(std::string_view text, MouseConfig& config, ButtonLabels& labels);

}  // namespace korvane::cli
