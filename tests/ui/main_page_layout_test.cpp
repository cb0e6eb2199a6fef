#include "ui/main_page_layout.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ui/main_window_geometry.h"

namespace korvane {
namespace {

// Content heights in section order; Macro Manager has none.
constexpr MainPageState::ContentHeights kHeights{190, 0, 120, 250, 150, 80, 90, 90, 110, 70};

constexpr MainSection kRight[] = {MainSection::kCpiSetting,       MainSection::kLighting,
                                  MainSection::kUsbReportRate,    MainSection::kMouseSpeed,
                                  MainSection::kDoubleClickSpeed, MainSection::kScrollSpeed,
                                  MainSection::kAngleSnap};

std::vector<int> HeaderTops(const ColumnLayout& column) {
  std::vector<int> tops;
  for (const SectionPlacement& placement : column.sections) tops.push_back(placement.headerTop);
  return tops;
}

// Opens the right sections marked '1' in flags (seven characters, CPI Setting first). Opening from the
// last one up keeps every section still to be opened visible.
void OpenRight(MainPageState& state, const std::string& flags) {
  for (int i = kRightSectionCount - 1; i >= 0; --i) {
    if (flags[i] == '1') {
      ASSERT_EQ(state.Toggle(kRight[i]), Redraw::kRightColumn) << flags << " section " << i;
    }
  }
}

TEST(MainPageLayoutTest, StartPositionsWithEverythingCollapsed) {
  MainPageState state(kHeights);
  EXPECT_EQ(HeaderTops(state.LeftColumn()), (std::vector<int>{107, 132, 175}));
  EXPECT_EQ(HeaderTops(state.rightColumn()), (std::vector<int>{32, 57, 82, 107, 132, 157, 182}));
  EXPECT_EQ(state.LeftColumn().sections[1].HeaderRect(), (Rect{20, 132, 262, 170}));
  EXPECT_EQ(state.rightColumn().sections[6].HeaderRect(), (Rect{734, 182, 976, 202}));
  EXPECT_EQ(state.currentView(), kSideView);
  EXPECT_EQ(state.rightColumnPage(), 1);
}

TEST(MainPageLayoutTest, ButtonAssignmentPushesTheLeftHeadersDownAndBack) {
  MainPageState state(kHeights);
  EXPECT_EQ(state.Toggle(MainSection::kButtonAssignment), Redraw::kLeftColumn);
  EXPECT_EQ(HeaderTops(state.LeftColumn()), (std::vector<int>{107, 127 + 190 + 5, 322 + 38 + 5}));
  EXPECT_EQ(state.Toggle(MainSection::kXYSensitivity), Redraw::kLeftColumn);
  EXPECT_EQ(HeaderTops(state.LeftColumn()), (std::vector<int>{107, 322, 365}));
  state.Toggle(MainSection::kButtonAssignment);
  EXPECT_EQ(HeaderTops(state.LeftColumn()), (std::vector<int>{107, 132, 175}));
  EXPECT_EQ(state.HeaderAt(30, 180), MainSection::kXYSensitivity);
}

TEST(MainPageLayoutTest, MacroManagerNeverExpands) {
  MainPageState state(kHeights);
  EXPECT_EQ(state.Toggle(MainSection::kMacroManager), Redraw::kNothing);
  EXPECT_FALSE(state.expanded(MainSection::kMacroManager));
}

TEST(MainPageLayoutTest, ButtonRowsFollowTheHeaderBottom) {
  EXPECT_EQ(DropdownBoxRect(127, 0), (Rect{98, 154, 250, 170}));
  EXPECT_EQ(DropdownBoxRect(127, 7), (Rect{98, 294, 250, 310}));
  EXPECT_EQ(ButtonNameRect(127, 1), (Rect{31, 172, 94, 193}));
  // A label keeps clear of the box's arrow and has a whole line about the box's middle.
  EXPECT_EQ(DropdownLabelRect(DropdownBoxRect(127, 0)), (Rect{102, 151, 250 - kDropdownArrowRoom, 173}));
}

TEST(MainPageLayoutTest, RightColumnStopsEarlyByTheOpenSections) {
  struct Row {
    const char* open;  // CPI Setting first
    int shown;         // headers on screen
  };
  const Row rows[] = {
      {"0000000", 7}, {"1000000", 7}, {"1010000", 3}, {"1110000", 3}, {"1100000", 4}, {"1001000", 4},
      {"0111000", 4}, {"1000100", 5}, {"0110000", 6}, {"1000010", 6}, {"0001110", 6}, {"0101000", 7},
      {"0000011", 7}, {"0100010", 7},
  };
  for (const Row& row : rows) {
    MainPageState state(kHeights);
    OpenRight(state, row.open);
    EXPECT_EQ(static_cast<int>(state.rightColumn().sections.size()), row.shown) << row.open;
    EXPECT_EQ(state.rightColumn().stoppedEarly, row.shown < kRightSectionCount) << row.open;
    for (int i = 0; i < kRightSectionCount; ++i) EXPECT_EQ(state.visible(kRight[i]), i < row.shown) << row.open;
  }
}

TEST(MainPageLayoutTest, OpenSectionsPushTheRightHeadersDown) {
  MainPageState state(kHeights);
  OpenRight(state, "1100000");
  EXPECT_EQ(HeaderTops(state.rightColumn()), (std::vector<int>{32, 32 + 20 + 250 + 5, 307 + 20 + 150 + 5, 507}));
}

TEST(MainPageLayoutTest, HiddenHeadersCannotBeClicked) {
  MainPageState state(kHeights);
  OpenRight(state, "1010000");
  EXPECT_EQ(state.Toggle(MainSection::kMouseSpeed), Redraw::kNothing);
  EXPECT_FALSE(state.expanded(MainSection::kMouseSpeed));
  EXPECT_EQ(state.HeaderAt(740, 110), std::nullopt);  // where "Mouse Speed" starts out
}

TEST(MainPageLayoutTest, ThumbPagesOnlyWithTwoSectionsOpen) {
  MainPageState state(kHeights);
  OpenRight(state, "0000001");
  EXPECT_EQ(state.OnThumbMoved(481), Redraw::kNothing);
  EXPECT_EQ(state.rightColumnPage(), 1);
}

TEST(MainPageLayoutTest, LowerHalfOfTheTrackShowsPageTwo) {
  MainPageState state(kHeights);
  OpenRight(state, "1100000");
  EXPECT_EQ(state.OnThumbMoved(312), Redraw::kNothing);
  EXPECT_EQ(state.OnThumbMoved(313), Redraw::kRightColumn);
  EXPECT_EQ(state.rightColumnPage(), 2);
  EXPECT_EQ(HeaderTops(state.rightColumn()), (std::vector<int>{32, 57, 82, 107}));
  EXPECT_EQ(state.rightColumn().sections.front().section, MainSection::kMouseSpeed);
  EXPECT_FALSE(state.visible(MainSection::kCpiSetting));
  EXPECT_EQ(state.HeaderAt(740, 40), MainSection::kMouseSpeed);
  EXPECT_EQ(state.Toggle(MainSection::kLighting), Redraw::kNothing);

  // Opening a section on page 2 lays page 2 out again.
  EXPECT_EQ(state.Toggle(MainSection::kMouseSpeed), Redraw::kRightColumn);
  EXPECT_EQ(HeaderTops(state.rightColumn()), (std::vector<int>{32, 32 + 20 + 90 + 5, 172, 197}));

  EXPECT_EQ(state.OnThumbMoved(400), Redraw::kNothing);
  EXPECT_EQ(state.OnThumbMoved(32), Redraw::kRightColumn);
  EXPECT_EQ(state.rightColumnPage(), 1);
  EXPECT_EQ(state.rightColumn().sections.front().section, MainSection::kCpiSetting);
}

TEST(MainPageLayoutTest, TheWheelOverTheRightColumnTurnsItsPages) {
  MainPageState state(kHeights);
  OpenRight(state, "0000001");
  EXPECT_EQ(state.ThumbTopForWheel(850, 300, -120), std::nullopt);  // one section open: one page

  OpenRight(state, "1000000");
  // Down: the thumb at the bottom of its track, which shows page 2; up: back at the top, page 1.
  const std::optional<int> down = state.ThumbTopForWheel(850, 300, -120);
  ASSERT_EQ(down, 481);
  EXPECT_EQ(state.OnThumbMoved(*down), Redraw::kRightColumn);
  EXPECT_EQ(state.rightColumnPage(), 2);
  EXPECT_EQ(state.ThumbTopForWheel(850, 300, -120), std::nullopt);  // already there
  const std::optional<int> up = state.ThumbTopForWheel(987, 590, 15);  // on the track, a fine-grained wheel
  ASSERT_EQ(up, 32);
  EXPECT_EQ(state.OnThumbMoved(*up), Redraw::kRightColumn);
  EXPECT_EQ(state.rightColumnPage(), 1);

  // Only over the right column and its scroll bar.
  EXPECT_EQ(state.ThumbTopForWheel(733, 300, -120), std::nullopt);
  EXPECT_EQ(state.ThumbTopForWheel(500, 300, -120), std::nullopt);
  EXPECT_EQ(state.ThumbTopForWheel(850, 20, -120), std::nullopt);  // the title strip
  EXPECT_EQ(state.ThumbTopForWheel(850, 610, -120), std::nullopt);  // the bottom strip
  EXPECT_EQ(state.ThumbTopForWheel(991, 300, -120), std::nullopt);
  EXPECT_EQ(state.ThumbTopForWheel(850, 300, 0), std::nullopt);
}

TEST(MainPageLayoutTest, ResetCollapsesEverything) {
  MainPageState state(kHeights);
  OpenRight(state, "1100000");
  state.OnThumbMoved(481);
  state.Toggle(MainSection::kButtonAssignment);
  state.setCurrentView(kTopView);
  state.Reset();
  EXPECT_EQ(HeaderTops(state.rightColumn()), (std::vector<int>{32, 57, 82, 107, 132, 157, 182}));
  EXPECT_FALSE(state.expanded(MainSection::kButtonAssignment));
  EXPECT_EQ(state.rightColumnPage(), 1);
  EXPECT_EQ(state.currentView(), kSideView);
}

TEST(MainPageLayoutTest, ThumbStaysWithinItsTrack) {
  EXPECT_TRUE(ThumbTopAllowed(32));
  EXPECT_FALSE(ThumbTopAllowed(31));
  EXPECT_TRUE(ThumbTopAllowed(481));  // bottom 595
  EXPECT_FALSE(ThumbTopAllowed(482));
}

TEST(MainPageLayoutTest, SectionsAreNamedOnTheCommandLineByKey) {
  EXPECT_EQ(SectionByKey("cpi"), MainSection::kCpiSetting);
  EXPECT_EQ(SectionByKey("angle-snap"), MainSection::kAngleSnap);
  EXPECT_EQ(SectionByKey("CPI"), std::nullopt);
}

TEST(MainWindowGeometryTest, PressesGoToTheFirstMatchingRectangle) {
  MainPageState state(kHeights);
  struct Row {
    const char* name;
    int x, y;
    MainClick::Kind kind;
    bool drags;
  };
  const Row rows[] = {
      {"web link", 30, 0, MainClick::Kind::kWebLink, false},
      {"close", 993, 19, MainClick::Kind::kButton, false},
      {"save", 923, 604, MainClick::Kind::kButton, false},
      {"side switch", 437, 527, MainClick::Kind::kViewSwitch, false},
      {"left header", 261, 126, MainClick::Kind::kHeader, false},
      {"right header drags too", 734, 57, MainClick::Kind::kHeader, true},
      {"row while collapsed", 120, 300, MainClick::Kind::kDrag, true},
      {"empty", 600, 600, MainClick::Kind::kDrag, true},
      {"right edge is outside", 994, 5, MainClick::Kind::kDrag, true},
  };
  for (const Row& row : rows) {
    const MainClick click = ClassifyMainClick(state, row.x, row.y);
    EXPECT_EQ(click.kind, row.kind) << row.name;
    EXPECT_EQ(click.drags(), row.drags) << row.name;
  }
  EXPECT_EQ(ClassifyMainClick(state, 500, 527).view, kTopView);
  EXPECT_EQ(ClassifyMainClick(state, 993, 19).button, MainButton::kClose);

  state.Toggle(MainSection::kButtonAssignment);
  const MainClick row = ClassifyMainClick(state, 249, 169 + 20 * 7);
  EXPECT_EQ(row.kind, MainClick::Kind::kButtonRow);
  EXPECT_EQ(row.row, 7);
  EXPECT_FALSE(row.drags());
}

}  // namespace
}  // namespace korvane
