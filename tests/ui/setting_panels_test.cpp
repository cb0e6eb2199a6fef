#include "ui/setting_panels.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "config/config_validation.h"
#include "support/skin_heights.h"
#include "ui/skin_inventory.h"

namespace korvane {
namespace {

using Kind = PanelControl::Kind;

using testing::SkinHeights;

PanelControl ControlOf(MainSection section, int left, int top, Kind kind, int index = 0) {
  for (const PanelControl& control : PanelControls(section, left, top)) {
    if (control.kind == kind && control.index == index) return control;
  }
  ADD_FAILURE() << "no such control";
  return {};
}

class PanelPressTest : public ::testing::Test {
 protected:
  // A press on one control of a panel whose body starts at (734, 52).
  PanelEffect Press(MainSection section, Kind kind, int index, int x, int y) {
    return PressPanelControl(section, ControlOf(section, 734, 52, kind, index), x, y, config);
  }
  Rect RectOf(MainSection section, Kind kind, int index = 0) { return ControlOf(section, 734, 52, kind, index).rect; }

  MouseConfig config;
};

TEST_F(PanelPressTest, TheStagePanelSitsWhereTheCpiSectionOpensOnPageOne) {
  const int left[] = {775, 825, 885, 935};
  for (int k = 0; k < 4; ++k) {
    EXPECT_EQ(RectOf(MainSection::kCpiSetting, Kind::kStageBar, k), (Rect{left[k], 90, left[k] + 10, 203}));
    EXPECT_EQ(RectOf(MainSection::kCpiSetting, Kind::kStageBox, k), (Rect{left[k] - 15, 220, left[k] + 25, 236}));
    EXPECT_EQ(RectOf(MainSection::kCpiSetting, Kind::kStageSwatch, k), (Rect{left[k], 255, left[k] + 10, 265}));
  }
  MainPageState pages(SkinHeights());
  pages.LayOutRightColumn();
  EXPECT_FALSE(PanelControlAt(pages, 780, 150));  // a closed panel does not react
  pages.Toggle(MainSection::kCpiSetting);
  const std::optional<PanelHit> hit = PanelControlAt(pages, 780, 150);
  ASSERT_TRUE(hit);
  EXPECT_EQ(hit->control.kind, Kind::kStageBar);
  EXPECT_EQ(hit->control.index, 0);
}

TEST_F(PanelPressTest, LevelBarsGoThroughTheBoxRule) {
  const auto bar = [&](int pixelsAbove) {
    Press(MainSection::kCpiSetting, Kind::kStageBar, 2, 890, 203 - pixelsAbove);
    return config.dpiStage[2];
  };
  EXPECT_EQ(bar(1), 2);  // the bar's 1 is 50 CPI, which the box raises to 100
  EXPECT_EQ(bar(2), 2);
  EXPECT_EQ(bar(3), 2);
  EXPECT_EQ(bar(51), 50);
  EXPECT_EQ(bar(113), 100);  // the top row
  EXPECT_EQ(config.dpiStage[0], 0);
}

TEST_F(PanelPressTest, SlidersHaveAMarginAPitchAndALastValue) {
  const Rect x = RectOf(MainSection::kXYSensitivity, Kind::kSensitivitySlider, 0);
  const auto sensitivity = [&](int offset) {
    Press(MainSection::kXYSensitivity, Kind::kSensitivitySlider, 0, x.left + offset, x.top);
    return config.sensitivityX;
  };
  EXPECT_EQ(sensitivity(0), 1);
  EXPECT_EQ(sensitivity(8), 1);
  EXPECT_EQ(sensitivity(9), 2);
  EXPECT_EQ(sensitivity(29), 2);
  EXPECT_EQ(sensitivity(30), 3);
  EXPECT_EQ(sensitivity(197), 10);
  EXPECT_EQ(sensitivity(198), 11);  // the last ten pixels
  EXPECT_EQ(sensitivity(207), 11);
  EXPECT_EQ(config.sensitivityY, 0);

  const Rect light = RectOf(MainSection::kLighting, Kind::kLightSlider, 2);
  const auto cycle = [&](int offset) {
    Press(MainSection::kLighting, Kind::kLightSlider, 2, light.left + offset, light.top);
    return config.cycleSpeed;
  };
  EXPECT_EQ(cycle(3), 1);
  EXPECT_EQ(cycle(4), 2);
  EXPECT_EQ(cycle(123), 5);
  EXPECT_EQ(cycle(124), 6);  // the last four pixels
  EXPECT_EQ(cycle(127), 6);

  Press(MainSection::kLighting, Kind::kLightSelector, 1, 0, 0);
  EXPECT_EQ(config.lightMode, 2);
  const Rect snap = RectOf(MainSection::kAngleSnap, Kind::kAngleSnapSlider);
  Press(MainSection::kAngleSnap, Kind::kAngleSnapSlider, 0, snap.left + 51, snap.top);
  EXPECT_EQ(config.angleSnap, 4);
}

TEST_F(PanelPressTest, TheReportRateDialCountsOnItsRingOffTheAxes) {
  EXPECT_EQ(ReportRateAt(30, -30), 1);   // 1000 Hz
  EXPECT_EQ(ReportRateAt(-30, -30), 8);  // 125 Hz
  EXPECT_EQ(ReportRateAt(-30, 30), 4);   // 250 Hz
  EXPECT_EQ(ReportRateAt(30, 30), 2);    // 500 Hz
  EXPECT_EQ(ReportRateAt(0, -50), std::nullopt);
  EXPECT_EQ(ReportRateAt(50, 0), std::nullopt);
  EXPECT_EQ(ReportRateAt(21, 28), 2);  // radius 35
  EXPECT_EQ(ReportRateAt(20, 28), std::nullopt);
  EXPECT_EQ(ReportRateAt(64 * 3 / 5 + 1, 64 * 4 / 5), std::nullopt);  // just beyond 64
  EXPECT_EQ(ReportRateAt(38, 51), 2);                                  // radius 63.6

  // The dial's centre uses integer halves of its square.
  const Rect dial = RectOf(MainSection::kUsbReportRate, Kind::kReportDial);
  EXPECT_EQ(Press(MainSection::kUsbReportRate, Kind::kReportDial, 0, dial.left + 64 + 40, dial.top + 64 + 1),
            PanelEffect::kStored);
  EXPECT_EQ(config.reportRate, 2);
  EXPECT_EQ(Press(MainSection::kUsbReportRate, Kind::kReportDial, 0, dial.left + 64, dial.top + 10),
            PanelEffect::kNothing);
  EXPECT_EQ(config.reportRate, 2);
  EXPECT_EQ(ShownReportRateHz(2), 500);
  EXPECT_EQ(ShownReportRateHz(0), 1000);  // never a divisor
  EXPECT_EQ(ShownReportRateHz(3), 1000);
}

TEST_F(PanelPressTest, SpeedDialsRunFromTwoOnTheLeftToElevenOnTheRight) {
  EXPECT_EQ(SpeedDialValue(60, 0), 11);  // level with the centre, right
  EXPECT_EQ(SpeedDialValue(-60, 0), 2);  // and left
  EXPECT_EQ(SpeedDialValue(0, -60), 7);  // straight up: 90 degrees
  EXPECT_EQ(SpeedDialValue(60, 1), std::nullopt);  // below the centre
  EXPECT_EQ(SpeedDialValue(42, 0), std::nullopt);
  EXPECT_EQ(SpeedDialValue(43, 0), 11);
  EXPECT_EQ(SpeedDialValue(72, 0), std::nullopt);
  EXPECT_EQ(SpeedDialValue(50, -30), 10);   // 31 degrees
  EXPECT_EQ(SpeedDialValue(-30, -50), 5);  // 121 degrees

  const Rect dial = RectOf(MainSection::kDoubleClickSpeed, Kind::kSpeedDial);
  Press(MainSection::kDoubleClickSpeed, Kind::kSpeedDial, 0, dial.left + 71 - 60, dial.top + 71);
  EXPECT_EQ(config.doubleClickSpeed, 2);
  EXPECT_EQ(config.pointerSpeed, 0);
}

TEST_F(PanelPressTest, NumberBoxesCorrectToTheNearestValidValue) {
  EXPECT_EQ(CorrectedStageCpi("1234"), 1250);
  EXPECT_EQ(CorrectedStageCpi("1600"), 1600);
  EXPECT_EQ(CorrectedStageCpi("1"), 100);
  EXPECT_EQ(CorrectedStageCpi(""), 100);
  EXPECT_EQ(CorrectedStageCpi("5024"), 5000);
  EXPECT_EQ(CorrectedStageCpi("99999999999999999999999"), 5000);
  // Only the digits count, wherever they stand; text without one is the smallest value.
  EXPECT_EQ(CorrectedStageCpi("abc"), 100);
  EXPECT_EQ(CorrectedStageCpi("-800"), 800);
  EXPECT_EQ(CorrectedStageCpi(" 875x"), 900);
  EXPECT_EQ(CorrectedStageCpi("1,6o0"), 150);
  EXPECT_EQ(CorrectedStageCpi("x1y6z0w0"), 1600);
  EXPECT_EQ(CorrectedStageCpi("0000800"), 800);
  EXPECT_FALSE(InsertedAtOnce("16", "160"));  // typing
  EXPECT_FALSE(InsertedAtOnce("1600", "1"));   // typing over a selection
  EXPECT_FALSE(InsertedAtOnce("160", "10"));   // a deletion
  EXPECT_TRUE(InsertedAtOnce("1600", "99999"));  // a paste over a selection
  EXPECT_TRUE(InsertedAtOnce("", "1234"));
  EXPECT_TRUE(InsertedAtOnce("11", "1111"));
  EXPECT_EQ(CorrectedScrollLines("0"), 1);
  EXPECT_EQ(CorrectedScrollLines(""), 1);
  EXPECT_EQ(CorrectedScrollLines("42"), 42);
  EXPECT_EQ(CorrectedScrollLines("250"), 100);
  EXPECT_EQ(CorrectedScrollLines("99999999999999999999999"), 100);
  EXPECT_EQ(CorrectedScrollLines("lines"), 1);
  EXPECT_EQ(CorrectedScrollLines("-7 lines"), 7);
}

TEST_F(PanelPressTest, ScrollArrowsStopAtOneAndAHundredAndRestForOneScreen) {
  config.scrollLines = 1;
  Press(MainSection::kScrollSpeed, Kind::kScrollArrow, 1, 0, 0);
  EXPECT_EQ(config.scrollLines, 1);
  Press(MainSection::kScrollSpeed, Kind::kScrollArrow, 0, 0, 0);
  EXPECT_EQ(config.scrollLines, 2);
  config.scrollLines = 100;
  Press(MainSection::kScrollSpeed, Kind::kScrollArrow, 0, 0, 0);
  EXPECT_EQ(config.scrollLines, 100);

  Press(MainSection::kScrollSpeed, Kind::kScrollChoice, 1, 0, 0);
  EXPECT_EQ(config.scrollOneScreen, 1);
  EXPECT_EQ(Press(MainSection::kScrollSpeed, Kind::kScrollArrow, 1, 0, 0), PanelEffect::kNothing);
  EXPECT_EQ(config.scrollLines, 100);
  Press(MainSection::kScrollSpeed, Kind::kScrollChoice, 0, 0, 0);
  EXPECT_EQ(config.scrollOneScreen, 0);
}

TEST_F(PanelPressTest, AStageSwatchAsksForAColour) {
  const MouseConfig before = config;
  EXPECT_EQ(Press(MainSection::kCpiSetting, Kind::kStageSwatch, 1, 0, 0), PanelEffect::kChooseColour);
  EXPECT_EQ(config, before);
}

// The panels draw a field's value as a numbered image: the skin holds one for every value the field
// allows.
TEST(SettingPanels, TheSkinHoldsAnImageForEveryAllowedValue) {
  std::set<std::string> names;
  for (const SkinImage& image : SkinInventory()) names.insert(image.name);
  const struct {
    std::string_view family;
    std::size_t offset;
  } kFamilies[] = {
      {"/DPISetting/DPIStage/%d.png", kDpiStageOffset},    {"/StageSlider/%d.png", kSensitivityXOffset},
      {"/StageSlider/%d.png", kSensitivityYOffset},        {"/AngleSnap/%d.png", kAngleSnapOffset},
      {"/Lighting/%d.png", kLightBrightnessOffset},        {"/Lighting/%d.png", kPulseSpeedOffset},
      {"/Lighting/%d.png", kCycleSpeedOffset},             {"/MouseAttribute/Speed/%d.png", kPointerSpeedOffset},
      {"/MouseAttribute/Speed/%d.png", kDoubleClickSpeedOffset},
  };
  for (const auto& [family, offset] : kFamilies) {
    const ByteValues values = FieldRangeAt(offset).Values();
    for (int value = 0; value < 256; ++value) {
      if (!values[value]) continue;
      EXPECT_TRUE(names.contains(NumberedSkinImage(family, value))) << family << " " << value;
    }
  }
  for (const ReportRate& rate : REPORT_RATES) {
    EXPECT_TRUE(names.contains(NumberedSkinImage("/USBReportRate/%dHZ.png", ShownReportRateHz(rate.code))));
  }
}

}  // namespace
}  // namespace korvane
