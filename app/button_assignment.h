#pragma once

#include "keys/button_catalogue.h"

namespace korvane {

// What choosing a kind in a list asks for next.
enum class AssignmentStep { kSubList, kSingleKeyDialog, kComboKeyDialog, kMacroKeyDialog, kStore };
AssignmentStep StepForKind(ButtonKind kind);

}  // namespace korvane
