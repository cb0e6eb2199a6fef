#include "app/button_assignment.h"

namespace korvane {

Rect AssignmentListRect(int button, const ListRows& rows) {
  return ListHoldingRows({262, 154 + 20 * button, 365, 384 + 20 * button}, rows);
}

std::optional<Rect> SubListRect(ButtonKind kind, const Rect& item, const Rect& list, const ListRows& rows) {
  // Short sub-lists open beside the hovered item; long ones beside the list, ending at the item's bottom.
  const auto besideItem = [&](int width, int height) {
    return ListHoldingRows({item.right, item.top, item.right + width, item.top + height}, rows);
  };
  const auto besideList = [&](int width, int height) {
    const Rect grown = ListHoldingRows({list.right, 0, list.right + width, height}, rows);
    return Rect{grown.left, item.bottom - grown.height(), grown.right, item.bottom};
  };
  switch (kind) {
    case ButtonKind::ScrollSelect: return besideItem(110, 60);
    case ButtonKind::CpiCycle: return besideItem(60, 60);
    case ButtonKind::Multimedia: return besideList(90, 130);
    case ButtonKind::HotKey: return besideList(60, 162);
    case ButtonKind::Windows: return besideList(90, 114);
    default: return std::nullopt;
  }
}

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
