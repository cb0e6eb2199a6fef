// korvanectl profiles in this process, against the files the profile manager keeps: the list in str.ini
// and the pairs configN.bin and strN.ini that move with their names.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <sstream>

#include "app/app_profiles.h"
#include "cli/cli.h"
#include "config/config_file.h"
#include "config/ini_file.h"
#include "config/label_file.h"
#include "device/emulated_mouse.h"
#include "device/transport.h"
#include "support/test_folder.h"

namespace korvane {
namespace {

using ::testing::HasSubstr;
using ::testing::StartsWith;

class ProfilesCommandTest : public ::testing::Test {
 protected:
  // The factory folder with the profiles PROFILE_0, Work and Game, told apart by their angle snap (1, 3, 5);
  // Game is a copy of PROFILE_0 made after its angle snap was set.
  void SetUp() override {
    ASSERT_EQ(Run({"profiles", "new", "Work"}), 0) << err.str();
    ASSERT_EQ(Run({"set", "--profile", "1", "angle-snap", "3"}), 0) << err.str();
    ASSERT_EQ(Run({"set", "--profile", "0", "angle-snap", "5"}), 0) << err.str();
    ASSERT_EQ(Run({"profiles", "copy", "0", "Game"}), 0) << err.str();
    ASSERT_EQ(Run({"set", "--profile", "0", "angle-snap", "1"}), 0) << err.str();
  }

  int Run(std::vector<std::string> words) {
    words.insert(words.begin(), {"--home", PathToUtf8(folder.path())});
    out.str({});
    err.str({});
    return cli::Run(words, out, err);
  }

  ProfileList List() const { return ReadProfileList(folder.File("str.ini")); }
  int AngleSnap(int position) const {
    ConfigFileContent content;
    EXPECT_TRUE(ReadConfigFile(folder.File("config" + std::to_string(position) + ".bin"), content)) << position;
    return content.config.angleSnap;
  }

  testing::FactoryFolder folder;
  std::ostringstream out, err;
};

TEST_F(ProfilesCommandTest, ListMarksTheCurrentProfileAsTextAndJson) {
  ASSERT_EQ(Run({"profiles"}), 0) << err.str();
  EXPECT_EQ(out.str(), "* 0  PROFILE_0  (default)\n  1  Work\n  2  Game\n");
  ASSERT_EQ(Run({"profiles", "list", "--json"}), 0) << err.str();
  EXPECT_EQ(out.str(),
            "[\n"
            "  {\n    \"position\": 0,\n    \"name\": \"PROFILE_0\",\n    \"current\": true,\n"
            "    \"default\": true,\n    \"applications\": []\n  },\n"
            "  {\n    \"position\": 1,\n    \"name\": \"Work\",\n    \"current\": false,\n"
            "    \"default\": false,\n    \"applications\": []\n  },\n"
            "  {\n    \"position\": 2,\n    \"name\": \"Game\",\n    \"current\": false,\n"
            "    \"default\": false,\n    \"applications\": []\n  }\n"
            "]\n");
}

TEST_F(ProfilesCommandTest, LinksAndTheDefaultAreListedAndFollowTheirProfiles) {
  ASSERT_EQ(Run({"profiles", "link", "Game", "steam_app_1234"}), 0) << err.str();
  ASSERT_EQ(Run({"profiles", "link", "2", "Steam_App_99"}), 0) << err.str();
  ASSERT_EQ(Run({"profiles", "link", "1", "org.gnome.Terminal"}), 0) << err.str();
  ASSERT_EQ(Run({"profiles", "default", "Work"}), 0) << err.str();
  ASSERT_EQ(Run({"profiles"}), 0) << err.str();
  EXPECT_EQ(out.str(),
            "* 0  PROFILE_0\n"
            "  1  Work  (default)  linked: org.gnome.Terminal\n"
            "  2  Game  linked: steam_app_1234, Steam_App_99\n");
  ASSERT_EQ(Run({"profiles", "--json"}), 0) << err.str();
  EXPECT_THAT(out.str(), HasSubstr("\"name\": \"Game\",\n    \"current\": false,\n    \"default\": false,\n"
                                   "    \"applications\": [\n      \"steam_app_1234\",\n"
                                   "      \"Steam_App_99\"\n    ]"));

  // A link moves when linked again, in any case; the others follow renames and go with their profile.
  ASSERT_EQ(Run({"profiles", "link", "0", "ORG.GNOME.TERMINAL"}), 0) << err.str();
  ASSERT_EQ(Run({"profiles", "rename", "2", "Racing"}), 0) << err.str();
  ASSERT_EQ(Run({"profiles", "delete", "1"}), 0) << err.str();
  EXPECT_EQ(folder.ReadText("app-profiles.ini"),
            "[Default]\r\nProfile=\r\n"
            "[Applications]\r\nsteam_app_1234=Racing\r\nSteam_App_99=Racing\r\nORG.GNOME.TERMINAL=PROFILE_0\r\n");

  ASSERT_EQ(Run({"profiles", "unlink", "steam_app_99"}), 0) << err.str();
  ASSERT_EQ(Run({"profiles", "default", "1"}), 0) << err.str();
  ASSERT_EQ(Run({"profiles"}), 0) << err.str();
  EXPECT_EQ(out.str(), "* 0  PROFILE_0  linked: ORG.GNOME.TERMINAL\n  1  Racing  (default)  linked: steam_app_1234\n");
  ASSERT_EQ(Run({"profiles", "default", "--clear"}), 0) << err.str();
  EXPECT_EQ(ReadAppProfiles(folder.File("app-profiles.ini")).defaultProfile, "");
}

TEST_F(ProfilesCommandTest, NewStartsFromTheFactoryAndCopyFromItsSource) {
  ASSERT_EQ(Run({"profiles", "new", "Fresh"}), 0) << err.str();
  EXPECT_EQ(folder.ReadText("config3.bin"), folder.ReadText("config.bin"));
  EXPECT_EQ(AngleSnap(2), 5);  // the settings PROFILE_0 had when it was copied
  EXPECT_EQ(folder.ReadText("str2.ini"), folder.ReadText("str0.ini"));
  // Neither makes the new profile current.
  EXPECT_EQ(List().currentName, "PROFILE_0");
}

TEST_F(ProfilesCommandTest, TheCurrentProfileFollowsItsNameThroughRenameAndDelete) {
  ASSERT_EQ(Run({"--emulate", "profiles", "use", "Game"}), 0) << err.str();
  ASSERT_EQ(Run({"profiles", "rename", "2", "Shooter"}), 0) << err.str();
  EXPECT_EQ(List().currentName, "Shooter");

  // Deleting a profile before it moves it up with its files; it stays current.
  ASSERT_EQ(Run({"profiles", "delete", "1"}), 0) << err.str();
  EXPECT_EQ(List().names, (std::vector<std::string>{"PROFILE_0", "Shooter"}));
  EXPECT_EQ(List().currentName, "Shooter");
  EXPECT_EQ(AngleSnap(1), 5);
  EXPECT_EQ(folder.ReadText("config2.bin"), folder.ReadText("config.bin"));  // the freed position

  // Deleting the current profile makes the first one current.
  ASSERT_EQ(Run({"profiles", "delete", "1"}), 0) << err.str();
  EXPECT_EQ(List().names, (std::vector<std::string>{"PROFILE_0"}));
  EXPECT_EQ(List().currentName, "PROFILE_0");
  EXPECT_EQ(AngleSnap(0), 1);
}

TEST_F(ProfilesCommandTest, UseSendsTheProfileBeforeItBecomesCurrent) {
  ASSERT_EQ(Run({"--emulate", "profiles", "use", "1"}), 0) << err.str();
  EXPECT_EQ(List().currentName, "Work");
  ConfigFileContent saved;
  ASSERT_TRUE(ReadConfigFile(folder.File("config1.bin"), saved));
  EXPECT_EQ(saved.firstRunFlag, 1);  // saved by the upload
  ASSERT_EQ(Run({"pages", "--profile", "1"}), 0) << err.str();
  const std::string settingsLine = out.str().substr(0, out.str().find('\n'));
  EmulatedMouse mouse;
  ASSERT_TRUE(mouse.KeepMemoryIn(folder.File("emulated-mouse.bin")));
  EXPECT_EQ(settingsLine, "settings: " + HexBytes(mouse.memory().settingsPage));

  // A profile that cannot be sent does not become current.
  std::filesystem::remove(folder.File("config2.bin"));
  EXPECT_EQ(Run({"--emulate", "profiles", "use", "Game"}), 1);
  EXPECT_EQ(List().currentName, "Work");
}

TEST_F(ProfilesCommandTest, RefusalsSayWhyInOneLineAndChangeNoFile) {
  ASSERT_EQ(Run({"profiles", "new", "Spare"}), 0) << err.str();
  ASSERT_EQ(Run({"profiles", "new", "Other"}), 0) << err.str();
  struct Row {
    std::vector<std::string> words;
    std::string message;
  };
  const Row rows[] = {
      {{"profiles", "new", "Six"}, ""},  // fills the list; the next two go over it
      {{"profiles", "new", "Seven"}, "Profile numbers up to 6."},
      {{"profiles", "copy", "0", "Seven"}, "Profile numbers up to 6."},
      {{"profiles", "rename", "1", "Game"}, "Another profile already has this name."},
      {{"profiles", "rename", "1", " "}, "A profile needs a name."},
      {{"profiles", "rename", "1", "tab\there"}, "A profile name cannot hold line breaks or tabs."},
      {{"profiles", "rename", "1", std::string(65, 'x')}, "A profile name can be at most 64 characters long."},
      {{"profiles", "rename", "6", "Seven"}, "profile must be a whole number from 0 to 5, not '6'"},
      {{"profiles", "delete"}, "profiles delete takes N"},
      {{"profiles", "use", "Nobody"}, "no profile is named 'Nobody' (see korvanectl profiles)"},
      {{"profiles", "move", "1"}, "unknown profiles action 'move' (see korvanectl profiles --help)"},
      {{"profiles", "new", "--json", "X"}, "--json goes with profiles list only"},
      {{"profiles", "link", "Nobody", "steam"}, "no profile is named 'Nobody' (see korvanectl profiles)"},
      {{"profiles", "link", "1", "a=b"},
       "An application id cannot begin or end with a space, begin with \";\", or hold \"=\", \"[\", \"]\" or "
       "control characters."},
      {{"profiles", "link", "1"}, "profiles link takes N|NAME APP_ID"},
      {{"profiles", "unlink", "steam"}, "'steam' is linked to no profile (see korvanectl profiles)"},
      {{"profiles", "default"}, "profiles default takes N|NAME, or --clear"},
      {{"profiles", "default", "--clear", "1"}, "profiles default takes --clear alone"},
      {{"profiles", "list", "--clear"}, "--clear goes with profiles default only"},
  };
  for (const Row& row : rows) {
    const auto before = folder.Snapshot();
    const int exit = Run(row.words);
    if (row.message.empty()) {
      ASSERT_EQ(exit, 0) << err.str();
      continue;
    }
    EXPECT_EQ(exit, 1) << row.words[1];
    EXPECT_EQ(err.str(), "korvanectl: " + row.message + "\n");
    EXPECT_EQ(folder.Snapshot(), before) << row.words[1];
  }
}

TEST_F(ProfilesCommandTest, TheLastProfileStaysAndASharedNameCannotBecomeCurrent) {
  ASSERT_EQ(Run({"profiles", "delete", "2"}), 0) << err.str();
  ASSERT_EQ(Run({"profiles", "delete", "1"}), 0) << err.str();
  const auto before = folder.Snapshot();
  EXPECT_EQ(Run({"profiles", "delete", "0"}), 1);
  EXPECT_THAT(err.str(), HasSubstr("The last profile cannot be deleted"));
  EXPECT_EQ(folder.Snapshot(), before);

  // A list written by hand may hold a name twice; start-up would take the later one.
  ASSERT_TRUE(WriteProfileList(folder.File("str.ini"), {"Twin", "Work", "Twin"}, 1));
  EXPECT_EQ(Run({"--emulate", "profiles", "use", "0"}), 1);
  EXPECT_THAT(err.str(), StartsWith("korvanectl: profiles 0 and 2 are both named 'Twin'"));
  EXPECT_EQ(List().currentName, "Work");
  // Links name their profile: a shared name cannot tell which one.
  EXPECT_EQ(Run({"profiles", "link", "2", "steam"}), 1);
  EXPECT_THAT(err.str(), StartsWith("korvanectl: profiles 0 and 2 are both named 'Twin'"));
  EXPECT_FALSE(std::filesystem::exists(folder.File("app-profiles.ini")));
}

}  // namespace
}  // namespace korvane
