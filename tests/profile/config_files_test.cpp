#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <map>

#include "common/file_io.h"
#include "config/factory_profile.h"
#include "config/ini_file.h"
#include "keys/button_catalogue.h"
#include "profile/config_files.h"
#include "support/test_folder.h"

namespace korvane {
namespace {

using testing::FactoryFolder;
using ::testing::ElementsAre;
using ::testing::HasSubstr;
using ::testing::IsEmpty;

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
  int Current(int index = 0) {
    EXPECT_TRUE(files.CurrentProfileIndex(index));
    return index;
  }
  Status Load(int index = 0) { return files.Load(files.ProfileFiles(index), "", profile); }

  FactoryFolder folder;
  const ConfigFiles files{ProgramFolder(folder.path())};
  StoredProfile profile;
  MouseConfig config;
};

TEST_F(ConfigFilesTest, LoadsAProfileWithItsFlag) {
  ASSERT_TRUE(Load());
  EXPECT_EQ(profile.firstRunFlag, 0);
  EXPECT_EQ(profile.config, FactoryConfig());
  MouseConfig custom = FactoryConfig();
  custom.dpiStage[0] = 40;
  folder.WriteText("config0.bin", ConfigFile(1, custom));
  ASSERT_TRUE(Load());
  EXPECT_EQ(profile.config, custom);
  EXPECT_EQ(profile.firstRunFlag, 1);
  EXPECT_EQ(profile.labels.buttonLabel, DefaultLabels(""));
  EXPECT_FALSE(profile.labelsRebuilt);
}

TEST_F(ConfigFilesTest, FilesOfAnyOtherSizeOrKindAreRefusedWithTheReason) {
  profile.config.dpiStage[0] = 99;
  const std::string good = ConfigFile(1, FactoryConfig());
  for (const std::string& bad : {good.substr(0, 1756), good + '\0', std::string()}) {
    folder.WriteText("config0.bin", bad);
    const Status loaded = Load();
    EXPECT_FALSE(loaded);
    EXPECT_THAT(loaded.message(), HasSubstr("exactly 1757 bytes"));
    EXPECT_EQ(profile.config.dpiStage[0], 99);
  }
  std::filesystem::remove(folder.File("config0.bin"));
  EXPECT_THAT(Load().message(), HasSubstr("config0.bin"));
  std::filesystem::create_directory(folder.File("config0.bin"));
  EXPECT_THAT(Load().message(), HasSubstr("is a folder"));
}

TEST_F(ConfigFilesTest, TheCurrentProfileIsTheLastExactMatch) {
  WriteProfileSection(folder, "[Profile]\nItemCount=3\nItem0=A\nItem1=B\nItem2=A\nCurProfileName=A\n");
  EXPECT_EQ(Current(), 2);
  WriteProfileSection(folder, "[Profile]\nItemCount=2\nItem0=Gamer\nItem1=Game\nCurProfileName=Game\n");
  EXPECT_EQ(Current(), 1);
  const ProfileList list = ReadProfileList(folder.File("str.ini"));
  EXPECT_THAT(list.names, ElementsAre("Gamer", "Game"));
  EXPECT_EQ(list.selected, 0) << "the manager matches prefixes";
  WriteProfileSection(folder, "[Profile]\nItemCount=2\nItem0=game\nItem1=Other\nCurProfileName=GAME\n");
  EXPECT_EQ(Current(1), 1) << "no exact match keeps the index";
  WriteProfileSection(folder, "[Profile]\nItemCount=-1\nCurProfileName=PROFILE_0\n");
  EXPECT_EQ(Current(3), 3);
}

TEST_F(ConfigFilesTest, ARejectedProfileListNamesNoProfile) {
  for (const char* count : {"0", "7", "garbage"}) {
    WriteProfileSection(folder, std::string("[Profile]\nItemCount=") + count + "\nItem0=PROFILE_0\n");
    int index = 0;
    const Status listed = files.CurrentProfileIndex(index);
    EXPECT_FALSE(listed) << count;
    EXPECT_THAT(listed.message(), HasSubstr("ItemCount must be 1 to 6"));
    EXPECT_TRUE(ReadProfileList(folder.File("str.ini")).names.empty());
  }
}

TEST_F(ConfigFilesTest, SaveWritesThePairAndNeverCreatesAProfile) {
  MouseConfig edited = FactoryConfig();
  edited.reportRate = 8;
  ButtonLabels labels = DefaultLabels("");
  labels[1] = "Menu";
  ASSERT_TRUE(files.Save(files.ProfileFiles(0), "", edited, labels));
  EXPECT_EQ(folder.ReadText("config0.bin"), ConfigFile(1, edited));
  EXPECT_EQ(ReadLabels(folder.File("str0.ini"), "").buttonLabel, labels);

  std::filesystem::remove(folder.File("config1.bin"));
  const std::string labelsBefore = folder.ReadText("str1.ini");
  const Status saved = files.Save(files.ProfileFiles(1), "", edited, labels);
  EXPECT_THAT(saved.message(), HasSubstr("Config file is not exist."));
  EXPECT_FALSE(std::filesystem::exists(folder.File("config1.bin")));
  EXPECT_EQ(folder.ReadText("str1.ini"), labelsBefore);
}

TEST_F(ConfigFilesTest, AFailedLabelWriteLeavesTheRecordAsItWas) {
  const std::string before = folder.ReadText("config0.bin");
  std::filesystem::remove(folder.File("str0.ini"));
  std::filesystem::create_directory(folder.File("str0.ini"));
  MouseConfig edited = FactoryConfig();
  edited.dpiStage[0] = 32;
  const Status saved = files.Save(files.ProfileFiles(0), "", edited, DefaultLabels(""));
  EXPECT_THAT(saved.message(), HasSubstr("str0.ini is a folder"));
  EXPECT_EQ(folder.ReadText("config0.bin"), before);
}

TEST_F(ConfigFilesTest, LabelsThatNameAnotherFunctionAreMadeFromTheRecord) {
  // A crash between the two files of a save: the record says single key B, the labels still A.
  MouseConfig config = FactoryConfig();
  ButtonChoice choice;
  choice.kind = ButtonKind::SingleKey;
  choice.keyName = "B";
  ASSERT_TRUE(ApplyButtonChoice(config, 3, choice, ""));
  ButtonLabels labels = DefaultLabels("");
  labels[3] = "Single Key-A";
  ASSERT_TRUE(WriteConfigFile(folder.File("config0.bin"), config));
  ASSERT_TRUE(WriteLabels(folder.File("str0.ini"), "", labels));
  ASSERT_TRUE(Load());
  EXPECT_TRUE(profile.labelsRebuilt);
  labels[3] = "Single Key-B";
  EXPECT_EQ(profile.labels.buttonLabel, labels);

  // Labels in another language's section only: made in this one, none left empty.
  ASSERT_TRUE(files.Load(files.ProfileFiles(0), "CHS", profile));
  for (const std::string& label : profile.labels.buttonLabel) EXPECT_FALSE(label.empty());
}

TEST_F(ConfigFilesTest, TheRecordsOwnLabelsAgreeWithIt) {
  // Every label the program gives a function is the one the record rebuilds, so no label of the
  // program's own is ever replaced.
  for (const char* language : {"", "CHS", "CHT"}) {
    ButtonLabels labels = DefaultLabels(language);
    EXPECT_FALSE(RepairLabels(FactoryConfig(), {}, language, labels)) << language;
  }
  MouseConfig config = FactoryConfig();
  for (const ButtonKindInfo& kind : BUTTON_KINDS) {
    for (std::size_t row = 0; row < std::max<std::size_t>(1, kind.subList.size()); ++row) {
      ButtonChoice choice;
      choice.kind = kind.kind;
      choice.position = static_cast<int>(row);
      choice.keyName = "F5";
      choice.modifierName = "Ctrl";
      choice.secondKeyName = "Num 1";
      choice.macroNumber = 1;
      choice.macroName = "Macro_1";
      const std::optional<std::string> label = ApplyButtonChoice(config, 2, choice, "");
      ASSERT_TRUE(label) << kind.token;
      ButtonLabels labels = DefaultLabels("");
      labels[2] = *label;
      const std::vector<std::string> macros = {"Macro_0", "Macro_1"};
      EXPECT_FALSE(RepairLabels(config, macros, "", labels)) << kind.token << " " << row << ": " << *label;
    }
  }
}

TEST_F(ConfigFilesTest, RestoringDefaultsKeepsMacrosAndProfileSlot) {
  MouseConfig factory = FactoryConfig();
  factory.macroData[0].fill(0xEE);
  factory.profileSlot = 9;
  folder.WriteText("config.bin", ConfigFile(0, factory));

  config.profileSlot = 4;
  config.reportRate = 8;
  config.macroData[3].fill(0x33);
  LabelSettings labels;
  ASSERT_TRUE(files.LoadDefaults("", config, labels));
  EXPECT_EQ(config.reportRate, 1);
  EXPECT_EQ(config.buttonKind, FactoryConfig().buttonKind);
  EXPECT_EQ(config.profileSlot, 4);
  EXPECT_EQ(config.macroData[0][0], 0);
  EXPECT_EQ(config.macroData[3][127], 0x33);
  EXPECT_EQ(labels.buttonLabel, DefaultLabels(""));
}

TEST_F(ConfigFilesTest, ADamagedFactoryFileChangesNothing) {
  folder.WriteText("config.bin", "short");
  config.reportRate = 8;
  LabelSettings labels;
  labels.buttonLabel[0] = "kept";
  EXPECT_THAT(files.LoadDefaults("", config, labels).message(), HasSubstr("config.bin"));
  EXPECT_EQ(config.reportRate, 8);
  EXPECT_EQ(labels.buttonLabel[0], "kept");
}

TEST_F(ConfigFilesTest, ExportWritesTheChosenPairAndACopyBesideTheProgram) {
  testing::TempFolder backups;
  MouseConfig edited = FactoryConfig();
  edited.angleSnap = 4;
  const ButtonLabels labels = DefaultLabels("");
  ASSERT_TRUE(files.Export(backups.File("mine"), "", edited, labels));
  for (const std::filesystem::path& where : {backups.path(), folder.path()}) {
    EXPECT_EQ(*ReadWholeFile(where / "mine.bin"), ConfigFile(1, edited));
    EXPECT_EQ(ReadLabels(where / "mine.ini", "").buttonLabel, labels);
  }
}

TEST_F(ConfigFilesTest, ExportNeverTakesTheNameOfAProgramFileOrNone) {
  testing::TempFolder backups;
  const auto before = folder.Snapshot();
  for (const char* name : {"config.bin", "config3.bin", "record.bin", "str2.bin", "emulated-mouse.bin", ""}) {
    const Status exported = files.Export(backups.File(name), "", FactoryConfig(), DefaultLabels(""));
    EXPECT_FALSE(exported) << name;
    EXPECT_THAT(exported.message(), ::testing::Not(IsEmpty()));
  }
  EXPECT_EQ(folder.Snapshot(), before);
  EXPECT_TRUE(std::filesystem::is_empty(backups.path()));
}

TEST_F(ConfigFilesTest, ImportReadsTheRecordAndLabels) {
  testing::TempFolder elsewhere;
  MouseConfig imported = FactoryConfig();
  imported.sensitivityX = 9;
  imported.macroData[11].fill(7);
  elsewhere.WriteText("game.bin", ConfigFile(1, imported));
  ButtonLabels labels = DefaultLabels("");
  ASSERT_TRUE(WriteLabels(elsewhere.File("game.ini"), "", labels));
  ASSERT_TRUE(files.Import(elsewhere.File("game.bin"), "", profile));
  EXPECT_EQ(profile.config, imported);
  EXPECT_EQ(profile.labels.buttonLabel, labels);
  EXPECT_FALSE(profile.labelsRebuilt);

  std::filesystem::remove(elsewhere.File("game.ini"));
  ASSERT_TRUE(files.Import(elsewhere.File("game.bin"), "", profile));
  EXPECT_TRUE(profile.labelsRebuilt);
  EXPECT_EQ(profile.labels.buttonLabel, labels);
}

TEST_F(ConfigFilesTest, ImportRefusesWhatItCannotRead) {
  testing::TempFolder elsewhere;
  elsewhere.WriteText("GAME.BIN", ConfigFile(1, FactoryConfig()));
  elsewhere.WriteText("short.bin", "tiny");
  elsewhere.WriteText("good.bin", ConfigFile(1, FactoryConfig()));
  std::filesystem::create_directory(elsewhere.File("good.ini"));
  profile.labels.buttonLabel[0] = "kept";
  EXPECT_FALSE(files.Import(elsewhere.File("GAME.BIN"), "", profile));
  EXPECT_FALSE(files.Import(elsewhere.File("short.bin"), "", profile));
  EXPECT_FALSE(files.Import(elsewhere.File("absent.bin"), "", profile));
  EXPECT_THAT(files.Import(elsewhere.File("good.bin"), "", profile).message(), HasSubstr("good.ini is a folder"));
  EXPECT_EQ(profile.config, MouseConfig{});
  EXPECT_EQ(profile.labels.buttonLabel[0], "kept");
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
