#pragma once

#include <vector>

#include "config/config_validation.h"
#include "config/mouse_config.h"

namespace korvane {

// The bytes of the record outside what their fields allow, in image order; empty for a sound record.
// Besides FIELD_RANGES, each button of a known kind has the parameter bytes judged that its kind reads,
// named by the button's number, the kind's token and the part: "button 3 scroll choice",
// "button 3 combo-key modifier". They allow what the program writes there: a row of the kind's sub-list,
// a key of the key table or none, no modifier or one, macro numbers 0-11 and repeat modes 0-2. The other
// parameter bytes are not judged.
std::vector<FieldProblem> ValidateConfig(const MouseConfig& config);

}  // namespace korvane
