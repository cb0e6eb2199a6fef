#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "common/file_io.h"
#include "config/config_files.h"
#include "config/factory_profile.h"
#include "config/ini_file.h"
#include "support/test_folder.h"

namespace korvane {
namespace {

using testing::FactoryFolder;
using testing::RecordingMessages;
using testing::ShownMessage;
using ::testing::ElementsAre;
using ::testing::IsEmpty;

const ShownMessage kMissing{"Config file is not exist.", ""};

std::string ConfigFile(Byte flag, const MouseConfig& config) {
  const MouseConfigImage image = config.ToBytes();
  std::string bytes(1, static_cast<char>(flag));
  bytes.append(image.begin(), image.end());
  return bytes;
}

void WriteProfileSection(const testing::TempFolder& folder, std::string_view text) {
  IniFile file(folder.File("str.ini"));
  IniDocument document = file.Load();
  document.DeleteSection("Profile");
  const IniDocument profile = IniDocument::Parse(text);
  for (const auto& [key, value] : profile.Entries("Profile")) document.Set("Profile", key, value);
  ASSERT_TRUE(file.Save(document));
}

class ConfigFilesTest : public ::testing::Test {
 protected:
  FactoryFolder folder;
  RecordingMessages messages;
  ConfigFiles files{ProgramFolder(folder.path()), messages};
  MouseConfig config;
};

TEST_F(ConfigFilesTest, LoadsTheCurrentProfile) {
  MouseConfig custom = FactoryConfig();
  custom.dpiStage[0] = 40;
  folder.WriteText("config0.bin", ConfigFile(1, custom));
  EXPECT_TRUE(files.LoadConfiguration(config));
  EXPECT_EQ(config, custom);
  EXPECT_EQ(files.firstRunFlag(), 1);
  EXPECT_EQ(files.configPath(), folder.File("config0.bin"));
  EXPECT_EQ(files.labelPath(), folder.File("str0.ini"));
  EXPECT_THAT(messages.shown, IsEmpty());
}

TEST_F(ConfigFilesTest, FilesOfAnyOtherSizeAreIgnoredSilently) {
  config.dpiStage[0] = 99;
  const std::string good = ConfigFile(1, FactoryConfig());
  for (const std::string& bad : {good.substr(0, 1756), good + '\0', std::string()}) {
    folder.WriteText("config0.bin", bad);
    EXPECT_FALSE(files.LoadConfiguration(config));
    EXPECT_EQ(config.dpiStage[0], 99);
  }
  EXPECT_THAT(messages.shown, IsEmpty());
}

TEST_F(ConfigFilesTest, AFactoryFileLoadsWithFirstRunFlagZero) {
  ASSERT_TRUE(files.LoadConfiguration(config));
  EXPECT_EQ(files.firstRunFlag(), 0);
  EXPECT_EQ(config, FactoryConfig());
}

TEST_F(ConfigFilesTest, MissingProfileFileIsReported) {
  std::filesystem::remove(folder.File("config0.bin"));
  EXPECT_FALSE(files.LoadConfiguration(config));
  EXPECT_THAT(messages.shown, ElementsAre(kMissing));
}

TEST_F(ConfigFilesTest, LoadPicksTheLastExactMatch) {
  WriteProfileSection(folder, "[Profile]\nItemCount=3\nItem0=A\nItem1=B\nItem2=A\nCurProfileName=A\n");
  files.LoadConfiguration(config);
  EXPECT_EQ(files.currentProfileIndex(), 2);
  EXPECT_EQ(files.configPath(), folder.File("config2.bin"));
}

TEST_F(ConfigFilesTest, LoadMatchesExactlyWhereTheManagerMatchesPrefixes) {
  WriteProfileSection(folder, "[Profile]\nItemCount=2\nItem0=Gamer\nItem1=Game\nCurProfileName=Game\n");
  files.LoadConfiguration(config);
  EXPECT_EQ(files.currentProfileIndex(), 1);
  const ProfileList list = ReadProfileList(folder.File("str.ini"));
  EXPECT_THAT(list.names, ElementsAre("Gamer", "Game"));
  EXPECT_EQ(list.selected, 0);

  WriteProfileSection(folder, "[Profile]\nItemCount=2\nItem0=game\nItem1=Other\nCurProfileName=GAME\n");
  files.LoadConfiguration(config);
  EXPECT_EQ(files.currentProfileIndex(), 1) << "no exact match keeps the index";
  EXPECT_EQ(ReadProfileList(folder.File("str.ini")).selected, 0);
}

TEST_F(ConfigFilesTest, ARejectedProfileListReadsAndWritesNoProfileFile) {
  for (const char* count : {"0", "7", "garbage"}) {
    WriteProfileSection(folder, std::string("[Profile]\nItemCount=") + count + "\nItem0=PROFILE_0\n");
    config = MouseConfig{};
    EXPECT_FALSE(files.LoadConfiguration(config)) << count;
    EXPECT_EQ(config, MouseConfig{});
    const std::string before = folder.ReadText("config0.bin");
    EXPECT_FALSE(files.SaveConfiguration(FactoryConfig())) << count;
    EXPECT_EQ(folder.ReadText("config0.bin"), before);
    EXPECT_TRUE(ReadProfileList(folder.File("str.ini")).names.empty());
  }
  EXPECT_THAT(messages.shown, IsEmpty());
}

TEST_F(ConfigFilesTest, ANegativeCountKeepsTheIndexAndLoads) {
  files.setCurrentProfileIndex(3);
  WriteProfileSection(folder, "[Profile]\nItemCount=-1\nCurProfileName=PROFILE_0\n");
  EXPECT_TRUE(files.LoadConfiguration(config));
  EXPECT_EQ(files.currentProfileIndex(), 3);
}

TEST_F(ConfigFilesTest, SaveWritesFlagOneAndTheRecord) {
  MouseConfig edited = FactoryConfig();
  edited.reportRate = 8;
  ASSERT_TRUE(files.SaveConfiguration(edited));
  EXPECT_EQ(folder.ReadText("config0.bin"), ConfigFile(1, edited));
}

TEST_F(ConfigFilesTest, SaveNeverCreatesAProfileFile) {
  std::filesystem::remove(folder.File("config0.bin"));
  EXPECT_FALSE(files.SaveConfiguration(FactoryConfig()));
  EXPECT_FALSE(std::filesystem::exists(folder.File("config0.bin")));
  EXPECT_THAT(messages.shown, ElementsAre(kMissing));
}

TEST_F(ConfigFilesTest, AnInterruptedSaveLeavesTheOldFileIntact) {
  if (!testing::FileSizeLimit::Supported()) GTEST_SKIP() << "no file size limit on this system";
  const std::string before = folder.ReadText("config0.bin");
  MouseConfig edited = FactoryConfig();
  edited.dpiStage = {2, 3, 4, 5};
  {
    testing::FileSizeLimit limit(1000);
    EXPECT_FALSE(files.SaveConfiguration(edited));
  }
  EXPECT_EQ(folder.ReadText("config0.bin"), before);
  EXPECT_THAT(messages.shown, ElementsAre(ShownMessage{"Error Code is: 27 \n", "NULL ==fp "}));
}

TEST_F(ConfigFilesTest, RestoringDefaultsKeepsMacrosAndProfileSlot) {
  MouseConfig factory = FactoryConfig();
  factory.macroData[0].fill(0xEE);
  factory.profileSlot = 9;
  folder.WriteText("config.bin", ConfigFile(0, factory));
  IniFile(folder.File("str.ini")).Write("Setting-EN", "Item2", "Factory menu");

  config.profileSlot = 4;
  config.reportRate = 8;
  config.macroData[3].fill(0x33);
  LabelSettings labels;
  files.LoadDefaults(config, labels);

  EXPECT_EQ(config.reportRate, 1);
  EXPECT_EQ(config.buttonKind, FactoryConfig().buttonKind);
  EXPECT_EQ(config.profileSlot, 4);
  EXPECT_EQ(config.macroData[0][0], 0);
  EXPECT_EQ(config.macroData[3][127], 0x33);
  EXPECT_EQ(labels.buttonLabel[1], "Factory menu");
  EXPECT_FALSE(files.loadDefaultsMode());
  EXPECT_TRUE(files.SaveConfiguration(config));
  EXPECT_EQ(folder.ReadText("config0.bin"), ConfigFile(1, config)) << "saves go to the profile again";
}

TEST_F(ConfigFilesTest, ExportWritesTheChosenPairAndACopyBesideTheProgram) {
  testing::TempFolder backups;
  MouseConfig edited = FactoryConfig();
  edited.angleSnap = 4;
  const ButtonLabels labels = {"a", "b", "c", "d", "e", "f", "g", "h"};
  ASSERT_TRUE(files.ExportConfiguration(backups.File("mine"), edited, labels));
  for (const std::filesystem::path& where : {backups.path(), folder.path()}) {
    EXPECT_EQ(*ReadWholeFile(where / "mine.bin"), ConfigFile(1, edited));
    EXPECT_EQ(ReadLabels(where / "mine.ini", "").buttonLabel, labels);
  }
  // Saving after an export goes into the current profile, not into the exported copies.
  EXPECT_EQ(files.configPath(), folder.File("config0.bin"));
  EXPECT_EQ(files.labelPath(), folder.File("str0.ini"));
}

TEST_F(ConfigFilesTest, ExportNeverReplacesTheFactoryPairOrTheMacros) {
  testing::TempFolder backups;
  const std::string factory = folder.ReadText("config.bin");
  ASSERT_TRUE(files.ExportConfiguration(backups.File("config.bin"), FactoryConfig(), DefaultLabels("")));
  EXPECT_EQ(folder.ReadText("config.bin"), factory);
  ASSERT_TRUE(files.ExportConfiguration(backups.File("record.bin"), FactoryConfig(), DefaultLabels("")));
  EXPECT_FALSE(std::filesystem::exists(folder.File("record.ini")));
  EXPECT_TRUE(std::filesystem::exists(backups.File("record.ini")));
}

TEST_F(ConfigFilesTest, ImportReplacesTheRecordAndLabelsWithoutSaving) {
  testing::TempFolder elsewhere;
  MouseConfig imported = FactoryConfig();
  imported.sensitivityX = 9;
  imported.macroData[11].fill(7);
  elsewhere.WriteText("game.bin", ConfigFile(1, imported));
  ASSERT_TRUE(WriteLabels(elsewhere.File("game.ini"), "", {"1", "2", "3", "4", "5", "6", "7", "8"}));
  const std::string before = folder.ReadText("config0.bin");

  LabelSettings labels;
  ASSERT_TRUE(files.ImportConfiguration(elsewhere.File("game.bin"), config, labels));
  EXPECT_EQ(config, imported);
  EXPECT_EQ(labels.buttonLabel[7], "8");
  EXPECT_EQ(folder.ReadText("config0.bin"), before);
  EXPECT_EQ(files.configPath(), folder.File("config0.bin"));
  EXPECT_EQ(files.labelPath(), folder.File("str0.ini"));
}

TEST_F(ConfigFilesTest, ImportRefusesNamesWithoutBinAndBadFiles) {
  testing::TempFolder elsewhere;
  elsewhere.WriteText("GAME.BIN", ConfigFile(1, FactoryConfig()));
  elsewhere.WriteText("short.bin", "tiny");
  ASSERT_TRUE(WriteLabels(elsewhere.File("short.ini"), "", {"x", "x", "x", "x", "x", "x", "x", "x"}));
  LabelSettings labels;
  labels.buttonLabel[0] = "kept";
  EXPECT_FALSE(files.ImportConfiguration(elsewhere.File("GAME.BIN"), config, labels));
  EXPECT_FALSE(files.ImportConfiguration(elsewhere.File("short.bin"), config, labels));
  EXPECT_EQ(config, MouseConfig{});
  EXPECT_EQ(labels.buttonLabel[0], "kept");
  EXPECT_THAT(messages.shown, IsEmpty());
  EXPECT_FALSE(files.ImportConfiguration(elsewhere.File("absent.bin"), config, labels));
  EXPECT_THAT(messages.shown, ElementsAre(kMissing));
}

TEST(LabelFileTest, SectionsByLanguage) {
  EXPECT_EQ(LabelSectionName("CHS"), "Setting-CHS");
  EXPECT_EQ(LabelSectionName("CHT"), "Setting-CHT");
  EXPECT_EQ(LabelSectionName("chs"), "Setting-EN");
  EXPECT_EQ(LabelSectionName(""), "Setting-EN");
}

TEST(LabelFileTest, AMissingSectionGivesEmptyLabelsAndAWriteAddsIt) {
  FactoryFolder folder;
  const auto path = folder.File("str0.ini");
  EXPECT_EQ(ReadLabels(path, "CHS").buttonLabel, ButtonLabels{});
  EXPECT_EQ(ReadLabels(path, "").buttonLabel, DefaultLabels(""));
  EXPECT_EQ(ReadLabels(path, "CHS").skinPath, "Default");
  ASSERT_TRUE(WriteLabels(path, "CHS", {"1", "2", "3", "4", "5", "6", "7", "8"}));
  EXPECT_EQ(ReadLabels(path, "CHS").buttonLabel[3], "4");
  EXPECT_EQ(ReadLabels(path, "").buttonLabel, DefaultLabels("")) << "other languages untouched";
  EXPECT_THAT(IniFile(path).SectionNames(), ElementsAre("Skins", "Setting-EN", "Setting-CHS"));
}

TEST(ProfileListTest, RewriteSelectsTheCurrentEntry) {
  FactoryFolder folder;
  int current = -1;
  ASSERT_TRUE(WriteProfileList(folder.File("str.ini"), {"One", "Two", "Three"}, 1, &current));
  EXPECT_EQ(current, 1);
  const ProfileList list = ReadProfileList(folder.File("str.ini"));
  EXPECT_THAT(list.names, ElementsAre("One", "Two", "Three"));
  EXPECT_EQ(list.currentName, "Two");
  EXPECT_EQ(list.selected, 1);
  EXPECT_EQ(IniFile(folder.File("str.ini")).Read("Skins", "Path"), "Default") << "other sections kept";

  ASSERT_TRUE(WriteProfileList(folder.File("str.ini"), {"One"}, -1, &current));
  EXPECT_EQ(current, 0);
  testing::TempFolder empty;
  EXPECT_FALSE(WriteProfileList(empty.File("str.ini"), {"One"}, 0));
  EXPECT_FALSE(std::filesystem::exists(empty.File("str.ini")));
}

}  // namespace
}  // namespace korvane
