#include "app/button_assignment.h"

namespace korvane {

AssignmentStep StepForKind(ButtonKind kind) {
  switch (kind) {
    case ButtonKind::ScrollSelect:
    case ButtonKind::CpiCycle:
    case ButtonKind::Multimedia:
    case ButtonKind::HotKey:
    case ButtonKind::Windows: return AssignmentStep::kSubList;
    case ButtonKind::SingleKey: return AssignmentStep::kSingleKeyDialog;
    case ButtonKind::ComboKey: return AssignmentStep::kComboKeyDialog;
    case ButtonKind::MacroKey: return AssignmentStep::kMacroKeyDialog;
    default: return AssignmentStep::kStore;
  }
}

}  // namespace korvane
