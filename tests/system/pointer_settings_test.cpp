#include "system/pointer_settings.h"

#include <gtest/gtest.h>

namespace korvane {
namespace {

MouseConfig Sane() {
  MouseConfig config;
  config.pointerPrecision = 1;
  config.pointerSpeed = 6;
  config.scrollLines = 3;
  config.doubleClickSpeed = 6;
  return config;
}

TEST(PointerSettings, ConvertsTheFourSettings) {
  const PointerSettings settings = PointerSettingsOf(Sane());
  EXPECT_EQ(settings.mouseThresholds, (std::array<int, 3>{6, 10, 1}));
  EXPECT_EQ(settings.pointerSpeed, 10);
  EXPECT_EQ(settings.wheelScrollLines, 3u);
  EXPECT_EQ(settings.doubleClickTimeMs, 550);
}

TEST(PointerSettings, PositionsMapOverTheirRange) {
  const int speeds[] = {1, 2, 4, 6, 8, 10, 12, 14, 16, 18, 20};
  const int times[] = {900, 830, 760, 690, 620, 550, 480, 410, 340, 270, 200};
  for (int position = 1; position <= 11; ++position) {
    MouseConfig config = Sane();
    config.pointerSpeed = Byte(position);
    config.doubleClickSpeed = Byte(position);
    EXPECT_EQ(PointerSettingsOf(config).pointerSpeed, speeds[position - 1]);
    EXPECT_EQ(PointerSettingsOf(config).doubleClickTimeMs, times[position - 1]);
  }
}

TEST(PointerSettings, PrecisionOnlyForOneAndOneScreenOverridesLines) {
  MouseConfig config = Sane();
  config.pointerPrecision = 2;
  config.scrollOneScreen = 1;
  config.scrollLines = 100;
  EXPECT_EQ(PointerSettingsOf(config).mouseThresholds, (std::array<int, 3>{0, 0, 0}));
  EXPECT_EQ(PointerSettingsOf(config).wheelScrollLines, kWheelPageScroll);
}

TEST(PointerSettings, DamagedPositionsAreHeldInRange) {
  MouseConfig config = Sane();
  config.pointerSpeed = 0;
  config.doubleClickSpeed = 200;
  config.scrollLines = 0;
  const PointerSettings settings = PointerSettingsOf(config);
  EXPECT_EQ(settings.pointerSpeed, 1);
  EXPECT_EQ(settings.doubleClickTimeMs, 200);
  EXPECT_EQ(settings.wheelScrollLines, 1u);
}

}  // namespace
}  // namespace korvane
