#include "cli/window_handoff.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "common/path_text.h"
#include "support/test_folder.h"

namespace korvane::cli {
namespace {

// dbus-send as the seam sees it: the answer to the folder question, then to UseProfile.
struct FakeBus {
  Status folderAnswer = Status::Ok();
  std::string folder;
  Status useAnswer = Status::Ok();
  std::vector<std::vector<std::string>> calls;

  ProgramOutputRunner Runner() {
    return [this](const std::vector<std::string>& argv, std::string& output) {
      calls.push_back(argv);
      if (argv.back() == "string:Folder") {
        output = "   variant       " + folder + "\n";
        return folderAnswer;
      }
      output.clear();
      return useAnswer;
    };
  }
};

TEST(WindowHandoffTest, OnlyAWindowOfTheSameFolderIsAsked) {
  testing::TempFolder folder, other;
  FakeBus bus;
  bus.folderAnswer = Status::Failure(
      "dbus-send failed: Error org.freedesktop.DBus.Error.ServiceUnknown: The name org.tellurix.Korvane was not "
      "provided by any .service files");
  EXPECT_FALSE(AskWindowToUseProfile(folder.path(), 2, bus.Runner()).handled);
  EXPECT_FALSE(AskWindowToUseProfile(folder.path(), 2, {}).handled) << "no bus on this system";

  bus.folderAnswer = Status::Ok();
  bus.folder = PathToUtf8(other.path());
  EXPECT_FALSE(AskWindowToUseProfile(folder.path(), 2, bus.Runner()).handled);
  EXPECT_EQ(bus.calls.size(), 2u) << "a window of another folder is not asked to switch";

  // The same folder, however it is spelt.
  bus.folder = PathToUtf8(folder.path() / ".");
  const WindowAnswer answer = AskWindowToUseProfile(folder.path(), 2, bus.Runner());
  EXPECT_TRUE(answer.handled);
  EXPECT_TRUE(answer.status);
  EXPECT_EQ(bus.calls.back().back(), "int32:2");
  EXPECT_EQ(bus.calls.back()[bus.calls.back().size() - 2], "org.tellurix.Korvane1.UseProfile");
}

TEST(WindowHandoffTest, TheWindowsRefusalComesBackInItsWords) {
  testing::TempFolder folder;
  FakeBus bus;
  bus.folder = PathToUtf8(folder.path());
  bus.useAnswer = Status::Failure(
      "dbus-send failed: Error org.tellurix.Korvane1.Error.UnsavedEdits: The settings in the window have not been "
      "saved: save or cancel them first.");
  const WindowAnswer answer = AskWindowToUseProfile(folder.path(), 0, bus.Runner());
  EXPECT_TRUE(answer.handled);
  EXPECT_EQ(answer.status.message(),
            "the running window did not switch: The settings in the window have not been saved: save or cancel "
            "them first.");
}

}  // namespace
}  // namespace korvane::cli
