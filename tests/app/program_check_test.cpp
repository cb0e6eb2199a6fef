#include "app/program_check.h"

#include <gtest/gtest.h>

#include "support/test_folder.h"

namespace korvane {
namespace {

TEST(ProgramCheckTest, FactoryFilesAndTheDefaultSkinAreEnough) {
  testing::FactoryFolder folder;
  std::filesystem::create_directories(folder.File("Skins/Default"));
  folder.WriteText("Skins/Default/main.png", "png");
  EXPECT_EQ(MissingProgramFiles(ProgramFolder(folder.path())), "");
}

TEST(ProgramCheckTest, NamesTheFolderAndEveryMissingFile) {
  testing::TempFolder folder;
  const std::string empty = MissingProgramFiles(ProgramFolder(folder.path()));
  EXPECT_NE(empty.find(folder.path().string()), std::string::npos) << empty;
  EXPECT_NE(empty.find("config.bin, str.ini, Skins/Default/main.png"), std::string::npos) << empty;

  folder.WriteText("config.bin", "x");
  folder.WriteText("str.ini", "x");
  EXPECT_NE(MissingProgramFiles(ProgramFolder(folder.path())).find("lacks Skins/Default/main.png"),
            std::string::npos);
}

TEST(ProgramCheckTest, AFolderThatIsNotThereIsSaidSo) {
  testing::TempFolder folder;
  const std::string message = MissingProgramFiles(ProgramFolder(folder.path() / "nowhere"));
  EXPECT_NE(message.find("does not exist"), std::string::npos) << message;
}

}  // namespace
}  // namespace korvane
