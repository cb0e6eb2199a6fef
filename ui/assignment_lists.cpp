#include "ui/assignment_lists.h"

#include <array>

namespace korvane {

namespace {

// Short sub-lists open beside the hovered item; long ones beside the list, ending at the item's bottom.
struct SubListSize {
  ButtonKind kind;
  bool besideItem;
  int width, height;
};
constexpr std::array<SubListSize, 5> kSubListSizes = {{
    {ButtonKind::ScrollSelect, true, 110, 60},
    {ButtonKind::CpiCycle, true, 60, 60},
    {ButtonKind::Multimedia, false, 90, 130},
    {ButtonKind::HotKey, false, 60, 162},
    {ButtonKind::Windows, false, 90, 114},
}};

}  // namespace

Rect AssignmentListRect(int button, const ListRows& rows) {
  return ListHoldingRows({262, 154 + 20 * button, 365, 384 + 20 * button}, rows);
}

std::optional<Rect> SubListRect(ButtonKind kind, const Rect& item, const Rect& list, const ListRows& rows) {
  for (const SubListSize& size : kSubListSizes) {
    if (size.kind != kind) continue;
    if (size.besideItem) {
      return ListHoldingRows({item.right, item.top, item.right + size.width, item.top + size.height}, rows);
    }
    const Rect grown = ListHoldingRows({list.right, 0, list.right + size.width, size.height}, rows);
    return Rect{grown.left, item.bottom - grown.height(), grown.right, item.bottom};
  }
  return std::nullopt;
}

}  // namespace korvane
