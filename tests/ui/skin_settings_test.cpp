#include "ui/skin_settings.h"

#include <gtest/gtest.h>

namespace korvane {
namespace {

TEST(SkinSettingsTest, ColourKeysReadLikeNumbersOfTheProfileFunctions) {
  struct Row {
    const char* text;
    int value;
  };
  const Row rows[] = {{"200", 200}, {"", 0}, {"abc", 0}, {" 17x", 17}, {"-5", 0}, {"999", 255}, {"0255", 255}};
  for (const Row& row : rows) EXPECT_EQ(ColorChannelFromText(row.text), row.value) << row.text;
}

TEST(SkinSettingsTest, FolderIsTheSkinBelowSkinsOfTheProgramFolder) {
  LabelSettings labels;
  labels.skinPath = "Blue";
  labels.rColor = "10";
  labels.gColor = "20";
  labels.bColor = "30";
  const SkinSettings skin = SkinSettingsFrom(ProgramFolder("/opt/korvane"), labels);
  EXPECT_EQ(skin.folder, std::filesystem::path("/opt/korvane/Skins/Blue"));
  EXPECT_EQ(skin.ImagePath("/main.png"), std::filesystem::path("/opt/korvane/Skins/Blue/main.png"));
  EXPECT_EQ(skin.red, 10);
  EXPECT_EQ(skin.green, 20);
  EXPECT_EQ(skin.blue, 30);

  labels.skinPath.clear();
  EXPECT_EQ(SkinSettingsFrom(ProgramFolder("/opt/korvane"), labels).folder,
            std::filesystem::path("/opt/korvane/Skins/Default"));
}

TEST(SkinSettingsTest, MissingOrUnreadableColourKeysGiveTheDefaultSkinsColour) {
  LabelSettings labels;
  labels.rColor = "";
  labels.gColor = "green";
  labels.bColor = "0";
  const SkinSettings skin = SkinSettingsFrom(ProgramFolder("/opt/korvane"), labels);
  EXPECT_EQ(skin.red, kDefaultSkinTextChannel);
  EXPECT_EQ(skin.green, kDefaultSkinTextChannel);
  EXPECT_EQ(skin.blue, 0);  // a number, even 0, is the skin author's choice
}

}  // namespace
}  // namespace korvane
