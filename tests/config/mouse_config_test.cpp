#include <gtest/gtest.h>

#include <numeric>

#include "config/factory_profile.h"
#include "support/test_folder.h"

namespace korvane {
namespace {

// The factory profile file, written out offset by offset from the documented layout.
std::string GoldenFactoryFile() {
  std::string file(1757, '\0');
  auto at = [&](std::size_t recordOffset) -> char& { return file[1 + recordOffset]; };
  at(0x005) = 1;
  for (int i = 0; i < 4; ++i) at(0x007 + i) = static_cast<char>(16 * (i + 1));
  const unsigned char colors[12] = {0xFF, 0, 0, 0, 0, 0xFF, 0, 0xFF, 0, 0xFF, 0, 0xFF};
  for (int i = 0; i < 12; ++i) at(0x017 + i) = static_cast<char>(colors[i]);
  const unsigned char settings[] = {1, 5, 3, 3, 1, 0, 6, 3, 6, 1, 0, 5, 5};  // 0x02F..0x03B
  for (std::size_t i = 0; i < sizeof settings; ++i) at(0x02F + i) = static_cast<char>(settings[i]);
  const unsigned char kinds[8] = {0, 1, 2, 2, 2, 6, 3, 4};
  for (int i = 0; i < 8; ++i) at(0x03C + i) = static_cast<char>(kinds[i]);
  at(0x044 + 2) = 1;  // array 1: middle button, wheel up, wheel down
  at(0x044 + 3) = 2;
  at(0x044 + 4) = 3;
  at(0x04C + 5) = 3;  // array 2: CPI loop
  return file;
}

TEST(MouseConfigTest, FactoryFileMatchesTheGoldenImage) {
  testing::TempFolder folder;
  ASSERT_TRUE(WriteFactoryFiles(ProgramFolder(folder.path())));
  const std::string golden = GoldenFactoryFile();
  EXPECT_EQ(folder.ReadText("config.bin"), golden);
  for (int i = 0; i < 6; ++i) EXPECT_EQ(folder.ReadText("config" + std::to_string(i) + ".bin"), golden);
}

TEST(MouseConfigTest, EveryByteSurvivesARoundTripIncludingReservedOnes) {
  MouseConfigImage image;
  std::iota(image.begin(), image.end(), 0);  // distinct values at every offset, wrapping
  EXPECT_EQ(MouseConfig::FromBytes(image).ToBytes(), image);
}

TEST(MouseConfigTest, FieldsSitAtTheirOffsets) {
  MouseConfig config;
  config.profileSlot = 0xA1;
  config.reportRate = 0xA2;
  config.dpiStage[3] = 0xA3;
  config.stageColor[11] = 0xA4;
  config.lightMode = 0xA5;
  config.angleSnap = 0xA6;
  config.sensitivityY = 0xA7;
  config.buttonKind[7] = 0xA8;
  config.Arg(1, 0) = 0xA9;
  config.Arg(19, 7) = 0xAA;
  config.macroData[0][0] = 0xAB;
  config.macroData[11][127] = 0xAC;
  const MouseConfigImage image = config.ToBytes();
  EXPECT_EQ(image[0x000], 0xA1);
  EXPECT_EQ(image[0x005], 0xA2);
  EXPECT_EQ(image[0x00A], 0xA3);
  EXPECT_EQ(image[0x022], 0xA4);
  EXPECT_EQ(image[0x02F], 0xA5);
  EXPECT_EQ(image[0x038], 0xA6);
  EXPECT_EQ(image[0x03B], 0xA7);
  EXPECT_EQ(image[0x043], 0xA8);
  EXPECT_EQ(image[0x044], 0xA9);
  EXPECT_EQ(image[0x0DB], 0xAA);
  EXPECT_EQ(image[0x0DC], 0xAB);
  EXPECT_EQ(image[0x6DB], 0xAC);
}

TEST(MouseConfigTest, ReplacingSettingsKeepsTheMacroArea) {
  MouseConfig live;
  live.macroData[4].fill(0x55);
  MouseConfigImage factory{};
  factory.fill(0x11);
  live.ReplaceSettingsAndButtons(factory);
  EXPECT_EQ(live.reportRate, 0x11);
  EXPECT_EQ(live.Arg(19, 7), 0x11);
  EXPECT_EQ(live.macroData[4][0], 0x55);
  EXPECT_EQ(live.macroData[0][0], 0x00);
}

}  // namespace
}  // namespace korvane
