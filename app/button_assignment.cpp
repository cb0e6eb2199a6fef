#include "app/button_assignment.h"

namespace korvane {

AssignmentStep StepForKind(ButtonKind kind) {
  if (!KindInfo(kind).subList.empty()) return AssignmentStep::kSubList;
  switch (kind) {
    case ButtonKind::SingleKey: return AssignmentStep::kSingleKeyDialog;
    case ButtonKind::ComboKey: return AssignmentStep::kComboKeyDialog;
    case ButtonKind::MacroKey: return AssignmentStep::kMacroKeyDialog;
    default: return AssignmentStep::kStore;
  }
}

}  // namespace korvane
