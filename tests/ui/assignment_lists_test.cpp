#include "ui/assignment_lists.h"

#include <gtest/gtest.h>

namespace korvane {
namespace {

TEST(AssignmentListsTest, SubListsOpenBesideTheItemOrTheList) {
  const ListRows small{40, 3, 16};
  const Rect list = AssignmentListRect(3, small);
  EXPECT_EQ(list, (Rect{262, 214, 365, 444}));
  const Rect item{262, 246, 365, 262};
  EXPECT_EQ(SubListRect(ButtonKind::ScrollSelect, item, list, small), (Rect{365, 246, 475, 306}));
  EXPECT_EQ(SubListRect(ButtonKind::HotKey, item, list, small), (Rect{365, 100, 425, 262}));
  EXPECT_EQ(SubListRect(ButtonKind::Menu, item, list, small), std::nullopt);
}

TEST(AssignmentListsTest, ListsGrowToHoldTheirRowsAndKeepTheirAnchors) {
  // Fourteen rows of 19 pixels, the widest text 120 pixels.
  const Rect list = AssignmentListRect(0, {120, 14, 19});
  EXPECT_EQ(list, (Rect{262, 154, 262 + 120 + kListRowChrome, 154 + 14 * 19 + 2}));
  const Rect item{262, 173, list.right, 192};
  // Beside the item the sub-list keeps its top; beside the list it still ends at the item's bottom.
  EXPECT_EQ(SubListRect(ButtonKind::ScrollSelect, item, list, {130, 3, 19}),
            (Rect{list.right, 173, list.right + 130 + kListRowChrome, 173 + 60}));
  EXPECT_EQ(SubListRect(ButtonKind::HotKey, item, list, {40, 10, 19}),
            (Rect{list.right, 192 - (10 * 19 + 2), list.right + 60, 192}));
}

TEST(AssignmentListsTest, EveryKindWithASubListAndNoOtherHasAPlaceForIt) {
  const Rect list = AssignmentListRect(0, {});
  const Rect item{list.left, list.top, list.right, list.top + kAssignmentRowHeight};
  for (const ButtonKindInfo& info : BUTTON_KINDS) {
    EXPECT_EQ(SubListRect(info.kind, item, list, {}).has_value(), !info.subList.empty()) << info.token;
  }
}

}  // namespace
}  // namespace korvane
