#include "app/start_up.h"

#include <gtest/gtest.h>

#include "support/test_folder.h"

namespace korvane {
namespace {

// A desktop session with a complete program folder and a lock folder of its own; each case changes one
// thing.
class StartUpTest : public ::testing::Test {
 protected:
  StartUpTest() {
    std::filesystem::create_directories(folder.File("Skins/Default"));
    folder.WriteText("Skins/Default/main.png", "png");
    inputs.arguments = {"--home", folder.path().string()};
    inputs.hasDisplay = true;
    inputs.lockFolder = locks.path();
  }

  StartUp Decide() { return DecideStartUp(inputs, instance); }
  // Whether another start would find the lock free.
  bool LockIsFree() {
    SingleInstanceLock other;
    return other.Acquire(locks.path()) == SingleInstanceLock::Outcome::kAcquired;
  }

  testing::FactoryFolder folder;
  testing::TempFolder locks;
  StartUpInputs inputs;
  SingleInstanceLock instance;
};

TEST_F(StartUpTest, ADesktopStartRunsTheWindowOnTheFolderAndKeepsTheLock) {
  const StartUp start = Decide();
  EXPECT_EQ(start.action, StartUp::Action::kRun);
  EXPECT_EQ(start.out + start.err, "");
  ASSERT_TRUE(start.line && start.folder);
  EXPECT_EQ(start.folder->dir(), folder.path());
  EXPECT_FALSE(start.offscreen);
  EXPECT_FALSE(LockIsFree());
}

TEST_F(StartUpTest, EarlyExitsPrintWhatTheyOweAndTakeNoLock) {
  struct Case {
    const char* name;
    std::vector<std::string> arguments;
    int exitCode;
    std::string out, errStart;
  };
  const Case cases[] = {
      {"help", {"--help"}, 0, std::string(kUsage), ""},
      {"refused", {"--colour"}, 2, "", "korvane: "},
  };
  for (const Case& c : cases) {
    inputs.arguments = c.arguments;
    const StartUp start = Decide();
    EXPECT_EQ(start.action, StartUp::Action::kExit) << c.name;
    EXPECT_EQ(start.exitCode, c.exitCode) << c.name;
    EXPECT_EQ(start.out, c.out) << c.name;
    EXPECT_EQ(start.err.substr(0, c.errStart.size()), c.errStart) << c.name;
    EXPECT_TRUE(LockIsFree()) << c.name;
  }
  // A refused line says why and how to call the program.
  EXPECT_NE(Decide().err.find(kUsage), std::string::npos);

  inputs.arguments = {"--version", "--home", folder.path().string()};
  inputs.focusWatcher = "focus: KWin script";
  const StartUp version = Decide();
  EXPECT_EQ(version.exitCode, 0);
  EXPECT_EQ(version.out.rfind(std::string("korvane ") + KORVANE_VERSION + "\n", 0), 0u) << version.out;
  EXPECT_NE(version.out.find(folder.path().string()), std::string::npos) << version.out;
  EXPECT_TRUE(version.out.ends_with("\nfocus: KWin script\n")) << version.out;
}

TEST_F(StartUpTest, ASecondStartShowsTheRunningWindowUnlessItWasAHiddenStart) {
  SingleInstanceLock running;
  ASSERT_EQ(running.Acquire(locks.path()), SingleInstanceLock::Outcome::kAcquired);
  StartUp start = Decide();
  EXPECT_EQ(start.action, StartUp::Action::kShowRunningOne);
  EXPECT_EQ(start.exitCode, 0);

  inputs.arguments.push_back("--hidden");
  start = Decide();
  EXPECT_EQ(start.action, StartUp::Action::kExit);
  EXPECT_EQ(start.exitCode, 0);
  EXPECT_EQ(start.out + start.err, "");
}

TEST_F(StartUpTest, WithoutADisplayTheWindowHasNowhereToGo) {
  inputs.hasDisplay = false;
  const StartUp start = Decide();
  EXPECT_EQ(start.action, StartUp::Action::kExit);
  EXPECT_EQ(start.exitCode, 1);
  EXPECT_NE(start.err.find("no display"), std::string::npos) << start.err;
}

TEST_F(StartUpTest, AChosenPlatformStandsInForADisplay) {
  inputs.hasDisplay = false;
  inputs.platformChosen = true;
  const StartUp start = Decide();
  EXPECT_EQ(start.action, StartUp::Action::kRun);
  EXPECT_FALSE(start.offscreen);
}

TEST_F(StartUpTest, AScreenshotNeedsNoDisplayAndRunsBesideARunningProgram) {
  SingleInstanceLock running;
  ASSERT_EQ(running.Acquire(locks.path()), SingleInstanceLock::Outcome::kAcquired);
  inputs.hasDisplay = false;
  inputs.arguments.insert(inputs.arguments.end(), {"--screenshot", folder.File("shot.png").string()});
  const StartUp start = Decide();
  EXPECT_EQ(start.action, StartUp::Action::kRun);
  EXPECT_TRUE(start.offscreen);
}

TEST_F(StartUpTest, AFolderThatLacksTheSkinIsRefused) {
  std::filesystem::remove(folder.File("Skins/Default/main.png"));
  const StartUp start = Decide();
  EXPECT_EQ(start.action, StartUp::Action::kExit);
  EXPECT_EQ(start.exitCode, 1);
  EXPECT_NE(start.err.find("Skins/Default/main.png"), std::string::npos) << start.err;
}

}  // namespace
}  // namespace korvane
