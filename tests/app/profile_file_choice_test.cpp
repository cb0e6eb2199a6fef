#include "app/profile_file_choice.h"

#include <gtest/gtest.h>

#include "support/test_folder.h"

namespace korvane {
namespace {

TEST(ProfileFileChoiceTest, OpensAtHomeThenWhereTheLastFileWasWhileThatFolderExists) {
  testing::TempFolder home;
  ProfileFileChoice choice(home.path());
  EXPECT_EQ(choice.StartFolder(), home.path());
  EXPECT_EQ(choice.ExportSuggestion("Gaming"), home.path() / "Gaming.bin");
  // A profile's name is UTF-8 text, whatever the system's code page.
  EXPECT_EQ(PathToUtf8(choice.ExportSuggestion("游戏 1").filename()), "游戏 1.bin");

  const std::filesystem::path backups = home.path() / "backups";
  std::filesystem::create_directory(backups);
  choice.Chosen(backups / "old.bin");
  EXPECT_EQ(choice.StartFolder(), backups);
  EXPECT_EQ(choice.ExportSuggestion("Gaming"), backups / "Gaming.bin");

  std::filesystem::remove(backups);
  EXPECT_EQ(choice.StartFolder(), home.path()) << "a folder gone since is not offered";
}

TEST(ProfileFileChoiceTest, TheExportNameIsTheProfileNameMadeSafeForAFile) {
  EXPECT_EQ(ExportFileName("PROFILE_1"), "PROFILE_1.bin");
  EXPECT_EQ(ExportFileName("游戏 1"), "游戏 1.bin");
  EXPECT_EQ(ExportFileName("a/b\\c\td"), "a_b_c_d.bin");
  EXPECT_EQ(ExportFileName(""), "profile.bin");
  EXPECT_EQ(ExportFileName(".."), "profile.bin");
  EXPECT_EQ(ExportFileName("v1.2"), "v1.2.bin");
}

}  // namespace
}  // namespace korvane
