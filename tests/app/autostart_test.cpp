#include "app/autostart.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include "common/executable_path.h"
#include "support/test_folder.h"

namespace korvane {
namespace {

using testing::TempFolder;

TEST(AutostartTest, EntryStartsThePlainPathHidden) {
  EXPECT_EQ(AutostartEntry("/usr/bin/korvane", {}),
            "[Desktop Entry]\n"
            "Type=Application\n"
            "Name=Korvane\n"
            "Comment=Settings of the Tellurix Korvane mouse, in the system tray\n"
            "Exec=/usr/bin/korvane --hidden\n"
            "Icon=korvane\n"
            "X-GNOME-Autostart-enabled=true\n");
}

TEST(AutostartTest, EntryQuotesPathsThatNeedIt) {
  // Inside quotes a backslash takes four characters and ", ` and $ take a doubled backslash; "%" is
  // doubled everywhere, quoted or not.
  const std::string entry =
      AutostartEntry("/opt/My Games/k$1 \"a\" `b` c\\d/korvane", "/home/u/mouse 100%/it's (mine)");
  EXPECT_NE(entry.find("\nExec=\"/opt/My Games/k\\\\$1 \\\\\"a\\\\\" \\\\`b\\\\` c\\\\\\\\d/korvane\" --hidden "
                       "--home \"/home/u/mouse 100%%/it's (mine)\"\n"),
            std::string::npos)
      << entry;
  EXPECT_NE(AutostartEntry("/srv/100%/korvane", "/srv/home").find("\nExec=/srv/100%%/korvane --hidden --home /srv/home\n"),
            std::string::npos);
}

TEST(AutostartTest, EntryRefusesControlCharacters) {
  EXPECT_EQ(AutostartEntry("/opt/a\nb/korvane", {}), "");
  EXPECT_EQ(AutostartEntry("/usr/bin/korvane", "/home/u/a\tb"), "");
}

TEST(AutostartTest, FileIsInTheConfigFolderAndARelativeOneIsIgnored) {
  const std::filesystem::path name = kAutostartFileName;
  const testing::EnvironmentVariable home("HOME", "/home/u");
  struct Row {
    const char* configHome;
    std::filesystem::path file;
  } const rows[] = {
      {"/x/config", "/x/config/autostart" / name},
      {nullptr, "/home/u/.config/autostart" / name},
      {"", "/home/u/.config/autostart" / name},
      {"relative/config", "/home/u/.config/autostart" / name},
  };
  for (const Row& row : rows) {
    const testing::EnvironmentVariable config("XDG_CONFIG_HOME", row.configHome);
    EXPECT_EQ(Autostart::ForThisProgram({}).file(), row.file) << (row.configHome ? row.configHome : "unset");
  }
}

class AutostartFolderTest : public ::testing::Test {
 protected:
  AutostartFolderTest() { folder.WriteText("korvane", "#!/bin/sh\n"); }

  Autostart MakeAutostart() const { return Autostart(file(), folder.File("korvane"), {}); }
  std::filesystem::path file() const { return folder.File("config") / "autostart" / kAutostartFileName; }

  TempFolder folder;
};

TEST_F(AutostartFolderTest, EnableCreatesTheFolderAndDisableRemovesTheEntry) {
  const Autostart autostart = MakeAutostart();
  EXPECT_FALSE(autostart.IsOn());
  ASSERT_TRUE(autostart.Enable()) << autostart.Enable().message();
  EXPECT_TRUE(autostart.IsOn());
  EXPECT_EQ(folder.ReadText("config/autostart/org.tellurix.Korvane.desktop"),
            AutostartEntry(folder.File("korvane"), {}));
  ASSERT_TRUE(autostart.Disable());
  EXPECT_FALSE(std::filesystem::exists(file()));
  EXPECT_FALSE(autostart.IsOn());
  EXPECT_TRUE(autostart.Disable()) << "no entry is nothing to remove";
}

TEST_F(AutostartFolderTest, HiddenEntryIsOffAndEnableReplacesIt) {
  std::filesystem::create_directories(file().parent_path());
  folder.WriteText("config/autostart/org.tellurix.Korvane.desktop",
                   "# turned off by the user\n[Desktop Entry]\nType=Application\nExec=korvane\nHidden = true\n");
  const Autostart autostart = MakeAutostart();
  EXPECT_FALSE(autostart.IsOn());
  folder.WriteText("config/autostart/org.tellurix.Korvane.desktop",
                   "[Desktop Entry]\nExec=korvane\nHidden=false\n[Desktop Action x]\nHidden=true\n");
  EXPECT_TRUE(autostart.IsOn()) << "Hidden of another group does not count";
  folder.WriteText("config/autostart/org.tellurix.Korvane.desktop", "[Desktop Entry]\nHidden=true\n");
  ASSERT_TRUE(autostart.Enable());
  EXPECT_TRUE(autostart.IsOn());
}

TEST_F(AutostartFolderTest, WritesIntoAReadOnlyFolderFailAndSayWhy) {
  if (::geteuid() == 0) GTEST_SKIP() << "root writes into read-only folders: ReadOnlyFoldersAsUser runs this as nobody";
  std::filesystem::create_directories(file().parent_path());
  std::filesystem::permissions(file().parent_path(), std::filesystem::perms::owner_read |
                                                         std::filesystem::perms::owner_exec);
  const Status enabled = MakeAutostart().Enable();
  EXPECT_FALSE(enabled);
  EXPECT_NE(enabled.message().find(file().parent_path().string()), std::string::npos) << enabled.message();
  EXPECT_NE(enabled.message().find("Permission denied"), std::string::npos) << enabled.message();
  EXPECT_FALSE(MakeAutostart().IsOn());

  std::filesystem::permissions(folder.File("config"), std::filesystem::perms::owner_read |
                                                           std::filesystem::perms::owner_exec);
  const Autostart deeper(folder.File("config") / "new" / kAutostartFileName, folder.File("korvane"), {});
  EXPECT_NE(deeper.Enable().message().find("cannot create the folder"), std::string::npos);
}

TEST_F(AutostartFolderTest, FailuresRootCannotWriteThroughSayWhy) {
  std::filesystem::create_directories(file());
  const Status overFolder = MakeAutostart().Enable();
  EXPECT_NE(overFolder.message().find("cannot replace " + file().string()), std::string::npos)
      << overFolder.message();

  folder.WriteText("plain", "not a folder");
  const Autostart underFile(folder.File("plain") / "autostart" / kAutostartFileName, folder.File("korvane"), {});
  const Status enabled = underFile.Enable();
  EXPECT_NE(enabled.message().find("cannot create the folder"), std::string::npos) << enabled.message();
}

TEST_F(AutostartFolderTest, EnableRefusesWhatWouldNotStart) {
  EXPECT_FALSE(Autostart({}, folder.File("korvane"), {}).Enable());
  EXPECT_FALSE(Autostart(file(), {}, {}).Enable());
  const Status gone = Autostart(file(), folder.File("korvane (deleted)"), {}).Enable();
  EXPECT_NE(gone.message().find("is gone"), std::string::npos) << gone.message();
  EXPECT_FALSE(std::filesystem::exists(file()));
}

TEST_F(AutostartFolderTest, ThisProgramsEntryHoldsItsFileAndAnAbsoluteHome) {
  const testing::EnvironmentVariable config("XDG_CONFIG_HOME", folder.File("config").c_str());
  const Autostart autostart = Autostart::ForThisProgram("some/home");
  EXPECT_EQ(autostart.file(), file());
  ASSERT_TRUE(autostart.Enable());
  EXPECT_EQ(folder.ReadText("config/autostart/org.tellurix.Korvane.desktop"),
            AutostartEntry(RunningExecutable(), std::filesystem::current_path() / "some/home"));
}

}  // namespace
}  // namespace korvane
