#include <gtest/gtest.h>

#include "config/factory_profile.h"
#include "config/settings_page.h"
#include "support/golden.h"

namespace korvane {
namespace {

TEST(SettingsPageTest, ZeroRecordKeepsTheTemplateWhereTheRecordDoesNotFeed) {
  const DevicePage page = BuildSettingsPage(MouseConfig{});
  DevicePage expected = SETTINGS_TEMPLATE;
  expected[0x02] = 0x01;
  expected[0x33] = 0x00;
  expected[0x47] = 0x00;
  expected[0x4A] = 0x00;
  expected[0x4B] = 0x00;
  expected[0x64] = 0x0F;
  for (int i = 0; i < 4; ++i) expected[0x54 + i] = expected[0x5C + i] = 0;
  for (int i = 0x68; i < 0x80; ++i) expected[i] = 0;
  EXPECT_EQ(page, expected);
}

TEST(SettingsPageTest, FactoryPageByteForByte) {
  EXPECT_TRUE(
      testing::SameBytes(testing::GoldenBytes("settings_page_factory.hex"), BuildSettingsPage(FactoryConfig())));
}

struct LightingCase {
  const char* name;
  Byte mode, brightness, pulse, cycle;
  Byte page47, page48, page49;
};

// Test lists show a case by its name.
void PrintTo(const LightingCase& c, std::ostream* out) { *out << '"' << c.name << '"'; }

class LightingTest : public ::testing::TestWithParam<LightingCase> {};

TEST_P(LightingTest, ModeAndParameterBytes) {
  const LightingCase& c = GetParam();
  MouseConfig config;
  config.lightMode = c.mode;
  config.lightBrightness = c.brightness;
  config.pulseSpeed = c.pulse;
  config.cycleSpeed = c.cycle;
  const DevicePage page = BuildSettingsPage(config);
  EXPECT_EQ(page[0x47], c.page47);
  EXPECT_EQ(page[0x48], c.page48);
  EXPECT_EQ(page[0x49], c.page49);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, LightingTest,
    ::testing::Values(LightingCase{"SingleColourLowestIsOff", 1, 1, 0, 0, 0x00, 0x18, 0x03},
                      LightingCase{"SingleColourFull", 1, 5, 0, 0, 0x01, 0x0A, 0x03},
                      LightingCase{"Pulsating", 2, 0, 5, 0, 0x02, 0x01, 0x03},
                      LightingCase{"PulsatingWrapsBelowZero", 2, 0, 7, 0, 0x02, 0xFF, 0x03},
                      LightingCase{"Cycle", 3, 0, 0, 5, 0x03, 0x0F, 0x03},
                      LightingCase{"CycleWrapsPast255", 3, 0, 0, 90, 0x03, 0x0E, 0x03},
                      LightingCase{"UnknownModeKeepsTemplate", 7, 5, 5, 5, 0x07, 0x18, 0x03}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(SettingsPageTest, AngleSnapTable) {
  const Byte expected[] = {0x00, 0x00, 0x82, 0x84, 0x85, 0x86, 0x87, 0x89, 0x8B, 0x8D, 0x8F, 0x00, 0x00};
  for (int position = 0; position <= 12; ++position) {
    MouseConfig config;
    config.angleSnap = static_cast<Byte>(position);
    EXPECT_EQ(BuildSettingsPage(config)[0x33], expected[position]) << "position " << position;
  }
  MouseConfig config;
  config.angleSnap = 255;
  EXPECT_EQ(BuildSettingsPage(config)[0x33], 0x00);
}

TEST(SettingsPageTest, SensitivityIsTwentyTimesModulo256) {
  MouseConfig config;
  config.sensitivityX = 5;
  config.sensitivityY = 11;
  DevicePage page = BuildSettingsPage(config);
  EXPECT_EQ(page[0x4A], 0x64);
  EXPECT_EQ(page[0x4B], 0xDC);
  config.sensitivityX = 13;
  EXPECT_EQ(BuildSettingsPage(config)[0x4A], (20 * 13) % 256);
}

TEST(SettingsPageTest, PureGreenIsSentAsStored) {
  MouseConfig config;
  config.stageColor = {0, 0, 0xFF};
  const DevicePage page = BuildSettingsPage(config);
  EXPECT_EQ(page[0x68], 0x00);
  EXPECT_EQ(page[0x69], 0x00);
  EXPECT_EQ(page[0x6A], 0xFF);
}

}  // namespace
}  // namespace korvane
