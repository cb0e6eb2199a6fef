// Files that cannot be written (a full disk, a read-only program folder) and files users edited by
// hand (profile lists with odd counts, label files that are not valid UTF-8).
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <functional>

#include "common/file_io.h"
#include "config/factory_profile.h"
#include "config/ini_file.h"
#include "config/label_file.h"
#include "macro/macro_store.h"
#include "profile/config_files.h"
#include "support/test_folder.h"

namespace korvane {
namespace {

using testing::FactoryFolder;
using testing::FileSizeLimit;
using testing::TempFolder;
using ::testing::HasSubstr;
using ::testing::IsEmpty;

// Smaller than any file the program writes.
constexpr std::size_t kFullDisk = 16;

MouseConfig Edited() {
  MouseConfig config = FactoryConfig();
  config.dpiStage = {2, 3, 4, 5};
  config.macroData[4].fill(0x42);
  return config;
}

class FileFaultTest : public ::testing::Test {
 protected:
  void SetUp() override {
    // A profile the program has written before, and its labels.
    ASSERT_TRUE(WriteConfigFile(folder.File("config0.bin"), FactoryConfig()));
    ASSERT_TRUE(WriteLabels(folder.File("str0.ini"), "", DefaultLabels("")));
    ASSERT_TRUE(WriteFileReplacing(folder.File("record.ini"), "[Macro_1]\r\nItemCount=0\r\n"));
  }

  FactoryFolder folder;
  TempFolder backups;
  const ConfigFiles files{ProgramFolder(folder.path())};
};

TEST_F(FileFaultTest, AFullDiskDuringAnExportKeepsEveryOldFileAndSaysWhy) {
  // An earlier export of the same name, in the chosen folder and beside the program.
  ASSERT_TRUE(files.Export(backups.File("mine.bin"), "", FactoryConfig(), DefaultLabels("")));
  const auto chosenBefore = backups.Snapshot();
  const auto programBefore = folder.Snapshot();

  Status exported;
  {
    FileSizeLimit limit(kFullDisk);
    exported = files.Export(backups.File("mine.bin"), "", Edited(), DefaultLabels(""));
  }
  EXPECT_THAT(exported.message(), HasSubstr("mine.bin"));
  EXPECT_EQ(backups.Snapshot(), chosenBefore);
  EXPECT_EQ(folder.Snapshot(), programBefore);
}

TEST_F(FileFaultTest, AFullDiskKeepsEveryFileTheProgramRewrites) {
  const std::filesystem::path list = folder.File("str.ini");
  const std::filesystem::path record = folder.File("record.ini");
  MacroOptions options;
  MacroStore macros(record, options);
  macros.LoadMacroList();
  ASSERT_EQ(macros.selectedMacro, 0);
  macros.eventList = {"A   Dn", "A   Up"};

  const std::vector<std::pair<const char*, std::function<Status()>>> writers = {
      {"save", [&] { return files.Save(files.ProfileFiles(0), "", Edited(), DefaultLabels("")); }},
      {"labels", [&] { return files.Save(files.ProfileFiles(0), "CHS", FactoryConfig(), DefaultLabels("CHS")); }},
      {"profile list", [&] { return WriteProfileList(list, {"A", "B"}, 1); }},
      {"macro", [&] { return macros.SaveCurrentMacro(); }},
      {"loop count", [&] { return macros.SetLoopCount("7"); }},
      {"new macro", [&] { return macros.NewMacro(""); }},
  };
  const auto before = folder.Snapshot();
  for (const auto& [name, write] : writers) {
    SCOPED_TRACE(name);
    Status status;
    {
      FileSizeLimit limit(kFullDisk);
      status = write();
    }
    EXPECT_FALSE(status.ok());
    EXPECT_THAT(status.message(), ::testing::Not(IsEmpty()));
    EXPECT_EQ(folder.Snapshot(), before);  // old bytes, and no temporary file left behind
  }
}

TEST_F(FileFaultTest, AReadOnlyProgramFolderKeepsTheProfileAndSaysWhy) {
  if (::geteuid() == 0) GTEST_SKIP() << "root writes into read-only folders: ReadOnlyFoldersAsUser runs this as nobody";
  const auto before = folder.Snapshot();
  ASSERT_EQ(::chmod(folder.path().c_str(), 0555), 0);
  const Status saved = files.Save(files.ProfileFiles(0), "", Edited(), DefaultLabels("CHS"));
  ::chmod(folder.path().c_str(), 0755);

  EXPECT_FALSE(saved.ok());
  EXPECT_THAT(saved.message(), HasSubstr("config0.bin"));
  EXPECT_EQ(folder.Snapshot(), before);
}

// ItemCount as users leave it. atoi semantics: leading blanks and sign, digits up to the first other
// character; a number beyond int saturates, as the other platform's atoi does, and is refused.
struct CountCase {
  const char* name;
  const char* count;
  bool accepted;  // the list names a current profile
  std::size_t listed;  // names the profile manager shows
};

class ProfileCountTest : public FileFaultTest, public ::testing::WithParamInterface<CountCase> {};

TEST_P(ProfileCountTest, OnlyCountsOneToSixSelectAProfile) {
  const CountCase& row = GetParam();
  IniFile list(folder.File("str.ini"));
  ASSERT_TRUE(list.Update([&](IniDocument& document) {
    document.DeleteSection("Profile");
    document.Set("Profile", "ItemCount", row.count);
    for (int i = 0; i < 7; ++i) document.Set("Profile", "Item" + std::to_string(i), "P" + std::to_string(i));
    document.Set("Profile", "CurProfileName", "P1");
  }));
  const std::string profileBefore = folder.ReadText("config1.bin");

  int index = 0;
  EXPECT_EQ(files.CurrentProfileIndex(index).ok(), row.accepted);
  EXPECT_GE(index, 0);
  EXPECT_LT(index, kMaxProfiles);
  EXPECT_EQ(folder.ReadText("config1.bin"), profileBefore);
  EXPECT_EQ(ReadProfileList(folder.File("str.ini")).names.size(), row.listed);
}

INSTANTIATE_TEST_SUITE_P(
    Counts, ProfileCountTest,
    ::testing::Values(CountCase{"Zero", "0", false, 0}, CountCase{"Seven", "7", false, 0},
                      CountCase{"Six", "6", true, 6}, CountCase{"Two", "2", true, 2},
                      CountCase{"MinusOne", "-1", true, 0}, CountCase{"Letters", "abc", false, 0},
                      CountCase{"Empty", "", false, 0}, CountCase{"DigitsThenText", "3rd", true, 3},
                      CountCase{"Blanks", "  4", true, 4}, CountCase{"Plus", "+2", true, 2},
                      CountCase{"WrapsToOne", "4294967297", false, 0},
                      CountCase{"WrapsToTwoFromBelow", "-4294967294", true, 0},
                      CountCase{"Huge", "99999999999999999999999", false, 0}),
    [](const ::testing::TestParamInfo<CountCase>& info) { return std::string(info.param.name); });

// Bytes that are not UTF-8 in a label file load as they are; the window replaces them when it draws.
TEST_F(FileFaultTest, LabelsThatAreNotUtf8LoadAsTheyAreAndSurviveASave) {
  const std::vector<std::string> bad = {
      "\x80\x81",          // continuation bytes without a lead
      "ab\xC3",            // a sequence cut at the end
      "\xC0\xAF",          // overlong
      "\xED\xA0\x80",      // a UTF-16 surrogate in UTF-8
      "\xF8\x88\x80\x80",  // beyond U+10FFFF
      std::string("a\0b", 3),
  };
  std::string text = "[Setting-EN]\r\n";
  for (std::size_t i = 0; i < bad.size(); ++i) text += "Item" + std::to_string(i + 1) + "=" + bad[i] + "\r\n";
  folder.WriteText("str0.ini", text);

  const LabelSettings labels = ReadLabels(folder.File("str0.ini"), "");
  for (std::size_t i = 0; i < bad.size(); ++i) EXPECT_EQ(labels.buttonLabel[i], bad[i]) << i;
  ASSERT_TRUE(WriteLabels(folder.File("str0.ini"), "", labels.buttonLabel));
  EXPECT_EQ(ReadLabels(folder.File("str0.ini"), "").buttonLabel, labels.buttonLabel);
}

TEST_F(FileFaultTest, AUtf16LabelFileWithBrokenUnitsLoads) {
  // BOM, "[Setting-EN]", then Item1= with an unpaired high surrogate and an odd last byte.
  std::string text = "\xFF\xFE";
  for (char c : std::string("[Setting-EN]\r\nItem1=a")) text += {c, '\0'};
  text += std::string("\x00\xD8", 2);  // U+D800 alone
  text += std::string("b\0", 2);
  text += 'c';  // half a unit
  folder.WriteText("str0.ini", text);
  EXPECT_EQ(ReadLabels(folder.File("str0.ini"), "").buttonLabel[0], "a\xEF\xBF\xBD" "b");
}

}  // namespace
}  // namespace korvane
