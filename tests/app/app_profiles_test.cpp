#include "app/app_profiles.h"

#include <gtest/gtest.h>

#include "support/test_folder.h"

namespace korvane {
namespace {

using Links = std::vector<std::pair<std::string, std::string>>;

std::string Utf16LeWithMark(std::string_view ascii) {
  std::string bytes = "\xFF\xFE";
  for (const char c : ascii) bytes += {c, '\0'};
  return bytes;
}

TEST(AppProfilesTest, WrittenRulesReadBackInTheirOrder) {
  testing::TempFolder folder;
  AppProfiles rules;
  rules.defaultProfile = "Desktop";
  rules.Link("steam_app_1234", "Racing");
  rules.Link("org.gnome.Terminal", "Work day");
  rules.Link("firefox", "Desktop");
  ASSERT_TRUE(WriteAppProfiles(folder.File("app-profiles.ini"), rules));
  EXPECT_EQ(folder.ReadText("app-profiles.ini"),
            "[Applications]\r\nsteam_app_1234=Racing\r\norg.gnome.Terminal=Work day\r\nfirefox=Desktop\r\n"
            "[Default]\r\nProfile=Desktop\r\n");
  AppProfiles read;
  ASSERT_TRUE(ReadAppProfiles(folder.File("app-profiles.ini"), read));
  EXPECT_EQ(read, rules);

  ASSERT_TRUE(WriteAppProfiles(folder.File("app-profiles.ini"), AppProfiles{}));
  EXPECT_EQ(ReadAppProfiles(folder.File("app-profiles.ini")), AppProfiles{});
}

TEST(AppProfilesTest, AWriteKeepsWhatTheRulesDoNotSet) {
  const std::string file = "; written by hand\n[Default]\nProfile=Work\n[Notes]\nkeep=me\n"
                           "[Applications]\n; games\nsteam=Racing\n";
  AppProfiles rules;
  rules.Link("steam", "Racing");
  rules.defaultProfile = "Work";
  EXPECT_EQ(SerializeAppProfiles(rules, file), file);
  rules.defaultProfile = "Home";
  EXPECT_EQ(SerializeAppProfiles(rules, file),
            "; written by hand\n[Default]\nProfile=Home\n[Notes]\nkeep=me\n[Applications]\n; games\nsteam=Racing\n");
  rules.Link("mail", "Home");
  EXPECT_EQ(SerializeAppProfiles(rules, file),
            "; written by hand\n[Default]\nProfile=Home\n[Notes]\nkeep=me\n[Applications]\nsteam=Racing\nmail=Home\n");

  // Only the first links section counts; a second one must not come back to life under the new links.
  const std::string twice = "[Applications]\nsteam=Racing\n[applications]\nstale=Old\n";
  EXPECT_EQ(ParseAppProfiles(SerializeAppProfiles(rules, twice)), rules);
}

TEST(AppProfilesTest, OddFilesReadWhatCanBeRead) {
  struct Row {
    const char* name;
    std::string bytes;
    Links links;
    std::string defaultProfile;
  };
  const Row rows[] = {
      {"hand-written, with comments, junk and other sections",
       "; my rules\nnot a line of anything\n[Other]\nx=y\n[applications]\n  Steam_App_1 =  Racing \n"
       "no equals sign\n=NoId\nempty=\n;off=Racing\n[DEFAULT]\nprofile = Work\n",
       {{"Steam_App_1", "Racing"}}, "Work"},
      {"a UTF-8 byte-order mark", "\xEF\xBB\xBF[Applications]\nsteam=Racing\n", {{"steam", "Racing"}}, ""},
      {"UTF-16LE with its mark",
       Utf16LeWithMark("[Applications]\r\na=B\r\n"), {{"a", "B"}}, ""},
      {"the same application twice, in any case: the first counts",
       "[Applications]\nsteam=Racing\nSTEAM=Shooter\nother=Work\n", {{"steam", "Racing"}, {"other", "Work"}}, ""},
      {"ids that could not be written back", "[Applications]\nbad]id=Racing\nok=Work\n", {{"ok", "Work"}}, ""},
  };
  for (const Row& row : rows) {
    testing::TempFolder folder;
    folder.WriteText("app-profiles.ini", row.bytes);
    const AppProfiles rules = ReadAppProfiles(folder.File("app-profiles.ini"));
    EXPECT_EQ(rules.links, row.links) << row.name;
    EXPECT_EQ(rules.defaultProfile, row.defaultProfile) << row.name;
  }
}

TEST(AppProfilesTest, AMissingFileHasNoRulesButOneThatCannotBeReadFails) {
  testing::TempFolder folder;
  AppProfiles rules;
  rules.Link("a", "b");
  EXPECT_TRUE(ReadAppProfiles(folder.File("app-profiles.ini"), rules));
  EXPECT_EQ(rules, AppProfiles{});

  std::filesystem::create_directory(folder.File("app-profiles.ini"));
  const Status status = ReadAppProfiles(folder.File("app-profiles.ini"), rules);
  EXPECT_FALSE(status);
  EXPECT_NE(status.message().find("is a folder"), std::string::npos) << status.message();
  EXPECT_EQ(ReadAppProfiles(folder.File("app-profiles.ini")), AppProfiles{});
}

TEST(AppProfilesTest, AnApplicationGetsItsLinkElseTheDefaultElseTheFirstProfile) {
  AppProfiles rules;
  rules.Link("steam_app_1234", "Racing");
  rules.Link("gone", "Deleted profile");
  rules.defaultProfile = "Desktop";
  const std::vector<std::string> names = {"Default", "Racing", "Desktop"};
  EXPECT_EQ(rules.ProfileFor("steam_app_1234", names), "Racing");
  EXPECT_EQ(rules.ProfileFor("Steam_App_1234", names), "Racing");  // a WM_CLASS spelling
  EXPECT_EQ(rules.ProfileFor("steam_app_12345", names), "Desktop");
  EXPECT_EQ(rules.ProfileFor("gone", names), "Desktop");  // its profile is no more
  rules.defaultProfile = "Nowhere";
  EXPECT_EQ(rules.ProfileFor("firefox", names), "Default");
  rules.defaultProfile.clear();
  EXPECT_EQ(rules.ProfileFor("firefox", names), "Default");
  EXPECT_EQ(rules.ProfileFor("firefox", {}), "");
}

TEST(AppProfilesTest, LinkingAgainReplacesTheLinkInItsPlace) {
  AppProfiles rules;
  rules.Link("a", "One");
  rules.Link("b", "Two");
  rules.Link("A", "Three");
  EXPECT_EQ(rules.links, (Links{{"A", "Three"}, {"b", "Two"}}));
  EXPECT_EQ(rules.LinkedTo("Three"), std::vector<std::string>{"A"});
  EXPECT_TRUE(rules.Unlink("B"));
  EXPECT_FALSE(rules.Unlink("b"));
  EXPECT_EQ(rules.links, (Links{{"A", "Three"}}));
}

TEST(AppProfilesTest, ApplicationIdsThatWouldBreakTheFileAreRefused) {
  const std::string blank = "An application id cannot be blank.";
  const std::string characters =
      "An application id cannot begin or end with a space, begin with \";\", or hold \"=\", \"[\", \"]\" or control "
      "characters.";
  const std::pair<std::string, std::string> rows[] = {
      {"steam_app_1234", ""},
      {"org.kde.dolphin", ""},
      {"Google Chrome", ""},
      {"终端", ""},
      {std::string(255, 'x'), ""},
      {"", blank},
      {" lead", characters},
      {"trail ", characters},
      {";comment", characters},
      {"a=b", characters},
      {"[section", characters},
      {"a]", characters},
      {"tab\there", characters},
      {"line\nbreak", characters},
      {std::string(256, 'x'), "An application id can be at most 255 characters long."},
  };
  for (const auto& [id, refusal] : rows) EXPECT_EQ(ApplicationIdRefusal(id), refusal) << id;
  EXPECT_EQ(ApplicationIdRefusal("", Language::SimplifiedChinese), "应用程序标识不能为空。");
}

}  // namespace
}  // namespace korvane
