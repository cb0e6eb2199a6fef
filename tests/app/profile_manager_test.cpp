#include "app/profile_manager.h"

#include <gtest/gtest.h>

#include "common/file_io.h"

#include "config/ini_file.h"
#include "profile/config_files.h"
#include "support/test_folder.h"

namespace korvane {
namespace {

ProfileManagerModel ModelOf(std::vector<std::string> names, int selected = -1) {
  ProfileList list;
  list.names = std::move(names);
  list.selected = selected;
  return ProfileManagerModel(list, "Copy", "PROFILE");
}

std::vector<std::string> Names(const ProfileManagerModel& model) {
  std::vector<std::string> names;
  for (const auto& entry : model.entries()) names.push_back(entry.name);
  return names;
}

TEST(ProfileManagerTest, NewProfilesAreNamedAfterTheLastOne) {
  struct Row {
    std::vector<std::string> names;
    std::string added;
  };
  const Row rows[] = {
      {{}, "PROFILE_0"},
      {{"PROFILE_0", "PROFILE_1", "PROFILE_2", "PROFILE_3", "PROFILE_4"}, "PROFILE_5"},
      {{"A", "MY_GAME_2"}, "PROFILE_1"},  // the number after the first "_" reads as 0
      {{"Home", "Work"}, "Work_2"},
  };
  for (const Row& row : rows) {
    ProfileManagerModel model = ModelOf(row.names);
    ASSERT_EQ(model.New(), ProfileManagerModel::Outcome::kDone);
    EXPECT_EQ(Names(model).back(), row.added);
    EXPECT_EQ(model.selected(), static_cast<int>(row.names.size()));
  }
}

TEST(ProfileManagerTest, SixProfilesAreTheLimitForNewAndCopy) {
  ProfileManagerModel model = ModelOf({"a", "b", "c", "d", "e", "f"}, 2);
  EXPECT_EQ(model.New(), ProfileManagerModel::Outcome::kLimit);
  EXPECT_EQ(model.Copy(), ProfileManagerModel::Outcome::kLimit);
  EXPECT_EQ(model.entries().size(), 6u);
  ProfileManagerModel fewer = ModelOf({"PROFILE_0"}, 0);
  EXPECT_EQ(fewer.Copy(), ProfileManagerModel::Outcome::kDone);
  EXPECT_EQ(Names(fewer), (std::vector<std::string>{"PROFILE_0", "Copy PROFILE_0"}));
}

TEST(ProfileManagerTest, CommandsWithoutASelectionDoNothingAndEditArmsFirst) {
  ProfileManagerModel model = ModelOf({"a", "b"});
  EXPECT_EQ(model.Delete(), ProfileManagerModel::Outcome::kNoSelection);
  EXPECT_EQ(model.Copy(), ProfileManagerModel::Outcome::kNoSelection);
  EXPECT_FALSE(model.Edit());
  model.Select(1);
  EXPECT_FALSE(model.Edit());  // armed
  EXPECT_TRUE(model.Edit());   // opens the editor
  model.Select(0);
  EXPECT_FALSE(model.Edit());
}

TEST(ProfileManagerTest, RefusedNamesSayWhy) {
  ProfileManagerModel model = ModelOf({"a", "b"});
  EXPECT_EQ(model.Rename(0, "  "), "A profile needs a name.");
  EXPECT_EQ(model.Rename(0, "two\nlines"), "A profile name cannot hold line breaks or tabs.");
  EXPECT_EQ(model.Rename(0, std::string(65, 'x')), "A profile name can be at most 64 characters long.");
  // The current profile is found by its name: a second entry of the same name would take its place.
  EXPECT_EQ(model.Rename(0, "b"), "Another profile already has this name.");
  EXPECT_EQ(model.Rename(0, "a"), "");  // its own name is no clash
  EXPECT_EQ(model.Rename(0, "Shooter"), "");
  EXPECT_EQ(Names(model), (std::vector<std::string>{"Shooter", "b"}));
}

// A program folder with the profiles A, B and C, told apart by the CPI of their first stage (10, 20, 30)
// and by their first label.
struct ThreeProfiles {
  ThreeProfiles() {
    EXPECT_TRUE(WriteProfileList(folder.File("str.ini"), {"A", "B", "C"}, 0));
    for (int i = 0; i < 3; ++i) SetMarker(i, static_cast<Byte>(10 * (i + 1)));
  }

  void SetMarker(int position, Byte marker) {
    ConfigFileContent content;
    EXPECT_TRUE(ReadConfigFile(ConfigPath(position), content));
    content.config.dpiStage[0] = marker;
    EXPECT_TRUE(WriteConfigFile(ConfigPath(position), content.config));
    EXPECT_TRUE(IniFile(folder.File("str" + std::to_string(position) + ".ini"))
                    .Write("Setting-EN", "Item1", "label " + std::to_string(marker)));
  }
  std::filesystem::path ConfigPath(int position) const {
    return folder.File("config" + std::to_string(position) + ".bin");
  }
  int Marker(int position) const {
    ConfigFileContent content;
    EXPECT_TRUE(ReadConfigFile(ConfigPath(position), content)) << position;
    return content.config.dpiStage[0];
  }
  std::string Label(int position) const {
    return IniFile(folder.File("str" + std::to_string(position) + ".ini")).Read("Setting-EN", "Item1");
  }
  ProfileManagerModel Read() const { return ProfileManagerModel(ReadProfileList(folder.File("str.ini")), "Copy", "PROFILE"); }

  testing::FactoryFolder folder;
};

class ProfileFilesTest : public ::testing::Test, public ThreeProfiles {};

TEST_F(ProfileFilesTest, DeletingAMiddleProfileKeepsEveryNameWithItsOwnSettings) {
  ProfileManagerModel model = Read();
  model.Select(1);
  model.Delete();
  ASSERT_TRUE(WriteProfileManager(ProgramFolder(folder.path()), model, model.CurrentPosition()));
  EXPECT_EQ(ReadProfileList(folder.File("str.ini")).names, (std::vector<std::string>{"A", "C"}));
  EXPECT_EQ(Marker(0), 10);
  EXPECT_EQ(Marker(1), 30);
  EXPECT_EQ(Label(1), "label 30");
  EXPECT_EQ(ReadProfileList(folder.File("str.ini")).currentName, "A");  // nothing selected: the first
  ConfigFileContent factory, freed;
  ASSERT_TRUE(ReadConfigFile(folder.File("config.bin"), factory));
  ASSERT_TRUE(ReadConfigFile(ConfigPath(2), freed));
  EXPECT_EQ(freed.config, factory.config);  // the deleted profile's settings are gone
}

TEST_F(ProfileFilesTest, ACopyCarriesItsSourcesSettingsAndANewProfileTheFactorys) {
  ProfileManagerModel model = Read();
  model.Select(1);
  model.Copy();
  model.New();  // selected: it becomes current
  ASSERT_TRUE(WriteProfileManager(ProgramFolder(folder.path()), model, model.CurrentPosition()));
  EXPECT_EQ(Marker(3), 20);
  EXPECT_EQ(Label(3), "label 20");
  EXPECT_EQ(folder.ReadText("config4.bin"), folder.ReadText("config.bin"));
  EXPECT_FALSE(IniFile(folder.File("str4.ini")).Load().HasSection("Profile"));
  const ProfileList written = ReadProfileList(folder.File("str.ini"));
  EXPECT_EQ(written.names, (std::vector<std::string>{"A", "B", "C", "Copy B", "Copy B_4"}));
  EXPECT_EQ(written.currentName, "Copy B_4");
}

TEST_F(ProfileFilesTest, StoppingAtAnyStepOfADeleteLeavesEveryFileWhole) {
  for (int failAt = 0;; ++failAt) {
    ThreeProfiles fresh;  // each run starts from the same three profiles
    ProfileManagerModel model = fresh.Read();
    model.Select(0);
    model.Delete();
    int calls = 0;
    const Status status = WriteProfileManager(
        ProgramFolder(fresh.folder.path()), model, 0,
        [&](std::span<const FileContents> files) {
          return calls++ == failAt ? Status::Failure("stopped") : ReplaceFiles(files);
        });
    for (int position = 0; position < 6; ++position) {
      ConfigFileContent content;
      EXPECT_TRUE(ReadConfigFile(fresh.ConfigPath(position), content)) << failAt << " " << position;
    }
    if (status) break;  // every step ran
    EXPECT_EQ(ReadProfileList(fresh.folder.File("str.ini")).names, (std::vector<std::string>{"A", "B", "C"}));
    ASSERT_LT(failAt, 20);
  }
}

using Links = std::vector<std::pair<std::string, std::string>>;

// The list A, B, C with Racing linked to A, Office to B and Mail to C, and C the default.
ProfileManagerModel LinkedModel() {
  ProfileList list;
  list.names = {"A", "B", "C"};
  AppProfiles rules;
  rules.Link("racing", "A");
  rules.Link("office", "B");
  rules.Link("mail", "C");
  rules.Link("old", "Gone long ago");
  rules.defaultProfile = "C";
  return ProfileManagerModel(list, "Copy", "PROFILE", Language::English, rules);
}

TEST(ProfileManagerLinksTest, LinksFollowRenamesAndGoWithTheirProfile) {
  ProfileManagerModel model = LinkedModel();
  ASSERT_EQ(model.Rename(0, "Fast"), "");
  model.Select(2);
  model.Delete();
  AppProfiles rules = model.rules();
  // A link to a name the list never held is left for whoever wrote it.
  EXPECT_EQ(rules.links, (Links{{"racing", "Fast"}, {"office", "B"}, {"old", "Gone long ago"}}));
  EXPECT_EQ(rules.defaultProfile, "");

  // Names that trade places take their links along.
  ProfileManagerModel swapped = LinkedModel();
  ASSERT_EQ(swapped.Rename(0, "X"), "");
  ASSERT_EQ(swapped.Rename(1, "A"), "");
  ASSERT_EQ(swapped.Rename(0, "B"), "");
  EXPECT_EQ(swapped.rules().links,
            (Links{{"racing", "B"}, {"office", "A"}, {"mail", "C"}, {"old", "Gone long ago"}}));
}

TEST(ProfileManagerLinksTest, ACopyTakesNoLinksEvenWhenItsSourceIsDeleted) {
  ProfileManagerModel model = LinkedModel();
  model.Select(0);
  ASSERT_EQ(model.Copy(), ProfileManagerModel::Outcome::kDone);
  EXPECT_EQ(model.rules().LinkedTo("Copy A"), std::vector<std::string>{});
  model.Select(0);
  ASSERT_EQ(model.Delete(), ProfileManagerModel::Outcome::kDone);
  EXPECT_EQ(model.rules().LinkOf("racing"), nullptr);
}

TEST(ProfileManagerLinksTest, LinksMadeHereFollowLaterRenamesAndDeletes) {
  ProfileManagerModel model = LinkedModel();
  EXPECT_EQ(model.Link(2, "Steam_App_1"), "");
  EXPECT_EQ(model.Link(1, "racing"), "");  // moves from A, keeping its place
  EXPECT_EQ(model.Link(0, "a=b"), "An application id cannot begin or end with a space, begin with \";\", or hold "
                                   "\"=\", \"[\", \"]\" or control characters.");
  EXPECT_EQ(model.Link(3, "x"), "There is no such profile.");
  model.SetDefault(1);
  ASSERT_EQ(model.Rename(2, "Mail"), "");
  EXPECT_EQ(model.rules().links,
            (Links{{"racing", "B"},
                   {"office", "B"},
                   {"mail", "Mail"},
                   {"old", "Gone long ago"},
                   {"Steam_App_1", "Mail"}}));
  // Deleting B drops what was linked to it here and there, and C's links move up with it.
  model.Select(1);
  ASSERT_EQ(model.Delete(), ProfileManagerModel::Outcome::kDone);
  const AppProfiles rules = model.rules();
  EXPECT_EQ(rules.links, (Links{{"mail", "Mail"}, {"old", "Gone long ago"}, {"Steam_App_1", "Mail"}}));
  EXPECT_EQ(rules.defaultProfile, "");

  EXPECT_TRUE(model.Unlink("MAIL"));
  EXPECT_FALSE(model.Unlink("mail"));
  EXPECT_FALSE(model.Unlink("never linked"));
  EXPECT_EQ(model.rules().LinkedTo("Mail"), std::vector<std::string>{"Steam_App_1"});
}

TEST(ProfileManagerLinksTest, TheMenuOffersSeenApplicationsOnceAndUnlinksTheProfilesOwn) {
  ProfileManagerModel model = LinkedModel();
  const std::vector<std::string> seen = {"firefox", "office", "racing", "Firefox", "", "bad=id", "steam_app_9"};
  ProfileManagerModel::LinkMenu menu = model.LinkMenuFor(0, seen);
  // racing is A's already; office, B's, can move here.
  EXPECT_EQ(menu.link, (std::vector<std::string>{"firefox", "office", "steam_app_9"}));
  EXPECT_EQ(menu.unlink, std::vector<std::string>{"racing"});

  ASSERT_EQ(model.Link(0, "office"), "");
  menu = model.LinkMenuFor(0, seen);
  EXPECT_EQ(menu.link, (std::vector<std::string>{"firefox", "steam_app_9"}));
  EXPECT_EQ(menu.unlink, (std::vector<std::string>{"racing", "office"}));
  EXPECT_EQ(model.LinkMenuFor(1, seen).unlink, std::vector<std::string>{});
  EXPECT_EQ(model.LinkMenuFor(5, seen).link, std::vector<std::string>{});
}

TEST_F(ProfileFilesTest, ClosingWritesTheLinksWithTheListAndOnlyWhenTheyChange) {
  const ProgramFolder program(folder.path());
  ProfileManagerModel model = Read();
  ASSERT_EQ(model.Rename(1, "Bee"), "");
  ASSERT_TRUE(WriteProfileManager(program, model, 0));
  EXPECT_FALSE(std::filesystem::exists(folder.File("app-profiles.ini")));  // no rules, no file

  // Rules written meanwhile (by korvanectl, say) are read afresh when the manager closes.
  folder.WriteText("app-profiles.ini",
                   "; mine\n[Applications]\nracing=C\noffice=Bee\n[Default]\nProfile=A\n");
  ProfileManagerModel renamed = Read();
  ASSERT_EQ(renamed.Rename(2, "Sea"), "");
  ASSERT_EQ(renamed.Link(0, "mail"), "");
  renamed.Select(0);
  ASSERT_EQ(renamed.Delete(), ProfileManagerModel::Outcome::kDone);
  ASSERT_TRUE(WriteProfileManager(program, renamed, 0));
  EXPECT_EQ(ReadProfileList(folder.File("str.ini")).names, (std::vector<std::string>{"Bee", "Sea"}));
  const AppProfiles rules = ReadAppProfiles(folder.File("app-profiles.ini"));
  EXPECT_EQ(rules.links, (Links{{"racing", "Sea"}, {"office", "Bee"}}));
  EXPECT_EQ(rules.defaultProfile, "");

  const std::string before = folder.ReadText("app-profiles.ini");
  folder.WriteText("app-profiles.ini", "; kept as written\n" + before);
  ProfileManagerModel unchanged = Read();
  ASSERT_TRUE(WriteProfileManager(program, unchanged, 1));
  EXPECT_EQ(folder.ReadText("app-profiles.ini"), "; kept as written\n" + before);
}

TEST_F(ProfileFilesTest, RulesThatCannotBeReadLeaveTheListAsItWas) {
  std::filesystem::create_directory(folder.File("app-profiles.ini"));
  ProfileManagerModel model = Read();
  ASSERT_EQ(model.Rename(0, "Renamed"), "");
  const Status status = WriteProfileManager(ProgramFolder(folder.path()), model, 0);
  EXPECT_FALSE(status);
  EXPECT_NE(status.message().find("the profile list is unchanged"), std::string::npos) << status.message();
  EXPECT_EQ(ReadProfileList(folder.File("str.ini")).names, (std::vector<std::string>{"A", "B", "C"}));
}

}  // namespace
}  // namespace korvane
