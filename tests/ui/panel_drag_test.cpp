#include "ui/panel_drag.h"

#include <gtest/gtest.h>

#include "support/skin_heights.h"
#include "ui/skin_inventory.h"

namespace korvane {
namespace {

using Kind = PanelControl::Kind;

using testing::SkinHeights;

class PanelDragTest : public ::testing::Test {
 protected:
  PanelDragTest() : pages(SkinHeights()) {}

  // A press at (x, y) as the window takes it: the control's press rule, then the drag.
  void PressAt(int x, int y) {
    drag.End();
    const std::optional<PanelHit> hit = PanelControlAt(pages, x, y);
    if (!hit) return;
    PressPanelControl(hit->section, hit->control, x, y, config);
    drag.Begin(*hit);
  }
  const Rect& RectOf(Kind kind, int index = 0) {
    for (const PanelPlacement& panel : OpenPanels(pages)) {
      for (const PanelControl& control : PanelControls(panel.section, panel.left, panel.top)) {
        if (control.kind == kind && control.index == index) {
          found = control.rect;
          return found;
        }
      }
    }
    ADD_FAILURE() << "no such control open";
    return found;
  }

  MainPageState pages;
  PanelDrag drag;
  MouseConfig config;
  Rect found;
};

TEST_F(PanelDragTest, ASliderFollowsThePointerAndKeepsTheValueWhereTheButtonCameUp) {
  pages.Toggle(MainSection::kXYSensitivity);
  const Rect x = RectOf(Kind::kSensitivitySlider, 0);
  PressAt(x.left + 10, x.top + 4);
  EXPECT_EQ(config.sensitivityX, 2);
  EXPECT_TRUE(drag.MoveTo(pages, x.left + 51, x.top + 4, config));
  EXPECT_EQ(config.sensitivityX, 4);
  EXPECT_FALSE(drag.MoveTo(pages, x.left + 52, x.top + 4, config));  // the same value
  // Off the slider, above, below and past either end: the value level with the pointer, never beyond.
  drag.MoveTo(pages, x.left + 120, x.top - 60, config);
  EXPECT_EQ(config.sensitivityX, 7);
  drag.MoveTo(pages, x.right + 300, x.bottom + 40, config);
  EXPECT_EQ(config.sensitivityX, 11);
  drag.MoveTo(pages, x.left - 300, x.top, config);
  EXPECT_EQ(config.sensitivityX, 1);
  drag.MoveTo(pages, x.left + 93, x.top, config);
  drag.End();
  EXPECT_EQ(config.sensitivityX, 6);
  EXPECT_EQ(config.sensitivityY, 0);
  // After the release the pointer changes nothing.
  EXPECT_FALSE(drag.MoveTo(pages, x.left + 10, x.top, config));
  EXPECT_EQ(config.sensitivityX, 6);
}

TEST_F(PanelDragTest, OnlyTheControlThePressBeganOnTakesTheDrag) {
  pages.Toggle(MainSection::kXYSensitivity);
  const Rect x = RectOf(Kind::kSensitivitySlider, 0);
  const Rect y = RectOf(Kind::kSensitivitySlider, 1);
  // A press on empty panel space, then across both sliders.
  PressAt(x.left + 50, (x.bottom + y.top) / 2);
  EXPECT_FALSE(drag.active());
  drag.MoveTo(pages, x.left + 50, x.top, config);
  EXPECT_EQ(config.sensitivityX, 0);
  // From the X slider onto the Y slider: X follows, Y stays.
  PressAt(x.left + 10, x.top);
  drag.MoveTo(pages, x.left + 150, y.top, config);
  EXPECT_EQ(config.sensitivityX, 8);
  EXPECT_EQ(config.sensitivityY, 0);
}

TEST_F(PanelDragTest, LevelBarsAndLightingSlidersStopAtTheirEnds) {
  pages.Toggle(MainSection::kLighting);
  pages.Toggle(MainSection::kCpiSetting);
  const Rect bar = RectOf(Kind::kStageBar, 1);
  PressAt(bar.left + 2, bar.bottom - 51);
  EXPECT_EQ(config.dpiStage[1], 50);
  drag.MoveTo(pages, bar.left + 40, bar.top - 50, config);
  EXPECT_EQ(config.dpiStage[1], 100);
  drag.MoveTo(pages, bar.left, bar.bottom + 50, config);
  EXPECT_EQ(config.dpiStage[1], 2);  // the bottom row's 50 CPI goes up to 100, as a press there does
  EXPECT_EQ(config.dpiStage[0], 0);

  const Rect light = RectOf(Kind::kLightSlider, 1);
  PressAt(light.left, light.top);
  EXPECT_EQ(config.pulseSpeed, 1);
  drag.MoveTo(pages, light.right + 100, light.top, config);
  EXPECT_EQ(config.pulseSpeed, 6);
  EXPECT_EQ(config.lightBrightness, 0);
}

TEST_F(PanelDragTest, DialsTakeOnlyPointsOnTheirRing) {
  pages.Toggle(MainSection::kUsbReportRate);
  const Rect dial = RectOf(Kind::kReportDial);
  const int cx = dial.left + 64, cy = dial.top + 64;
  PressAt(cx + 30, cy + 30);
  EXPECT_EQ(config.reportRate, 2);  // 500 Hz
  drag.MoveTo(pages, cx - 30, cy + 30, config);
  EXPECT_EQ(config.reportRate, 4);  // 250 Hz
  // Through the middle, across an axis and far off the dial: the last quadrant on the ring stays.
  drag.MoveTo(pages, cx, cy, config);
  drag.MoveTo(pages, cx - 50, cy, config);
  drag.MoveTo(pages, cx + 400, cy - 400, config);
  EXPECT_EQ(config.reportRate, 4);
  drag.MoveTo(pages, cx + 30, cy - 30, config);
  EXPECT_EQ(config.reportRate, 1);  // 1000 Hz
}

TEST_F(PanelDragTest, OneShotControlsStartNoDrag) {
  pages.Toggle(MainSection::kLighting);
  const Rect selector = RectOf(Kind::kLightSelector, 0);
  PressAt(selector.left, selector.top);
  EXPECT_EQ(config.lightMode, 1);
  EXPECT_FALSE(drag.active());
  pages.Toggle(MainSection::kLighting);
  pages.Toggle(MainSection::kScrollSpeed);
  config.scrollLines = 5;
  const Rect up = RectOf(Kind::kScrollArrow, 0);
  PressAt(up.left, up.top);
  EXPECT_FALSE(drag.MoveTo(pages, up.left + 1, up.top + 1, config));
  EXPECT_EQ(config.scrollLines, 6);
}

TEST_F(PanelDragTest, ADragEndsWhenItsControlLeavesThePage) {
  pages.Toggle(MainSection::kAngleSnap);
  const Rect snap = RectOf(Kind::kAngleSnapSlider);
  PressAt(snap.left, snap.top);
  EXPECT_EQ(config.angleSnap, 1);
  // A full repaint (a profile read again) collapses the sections while the button is still down.
  pages.Reset();
  EXPECT_FALSE(drag.MoveTo(pages, snap.right - 1, snap.top, config));
  EXPECT_EQ(config.angleSnap, 1);
  EXPECT_FALSE(drag.active());
  // Opened again, the same place takes only a new press.
  pages.Toggle(MainSection::kAngleSnap);
  EXPECT_FALSE(drag.MoveTo(pages, snap.right - 1, snap.top, config));
  PressAt(snap.left + 30, snap.top);
  drag.MoveTo(pages, snap.right - 1, snap.top, config);
  EXPECT_EQ(config.angleSnap, 11);
}

}  // namespace
}  // namespace korvane
