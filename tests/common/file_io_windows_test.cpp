#include <gtest/gtest.h>

#include <cwctype>
#include <thread>

#include "common/file_io.h"
#include "common/folder_lock.h"
#include "support/test_folder.h"

namespace korvane {
namespace {

namespace fs = std::filesystem;

TEST(WindowsFileIoTest, ReplacesAnExistingFileInAFolderNamedOutsideAscii) {
  testing::TempFolder folder;
  const fs::path home = folder.path() / fs::path(L"h\u00f6m\u00e9");
  fs::create_directory(home);
  const fs::path file = home / L"str\u00e9.ini";
  ASSERT_TRUE(WriteFileReplacing(file, "first").ok());
  ASSERT_TRUE(WriteFileReplacing(file, std::string("second\n\0line", 12)).ok());
  EXPECT_EQ(ReadWholeFile(file), std::string("second\n\0line", 12));
  // Only the file itself: no temporary file is left beside it.
  EXPECT_EQ(std::distance(fs::directory_iterator(home), fs::directory_iterator()), 1);
}

TEST(WindowsFileIoTest, AFailedReplacementSaysWhyAndLeavesNothingBehind) {
  testing::TempFolder folder;
  const Status status = WriteFileReplacing(folder.File("missing") / "config0.bin", "bytes");
  EXPECT_FALSE(status.ok());
  EXPECT_NE(status.message().find("cannot create a file beside"), std::string::npos) << status.message();
  EXPECT_NE(status.errorCode(), 0);
}

// The lock is a mutex, which its owning thread could take again: the other holder is another thread.
TEST(WindowsFolderLockTest, ASecondHolderWaitsForTheFirstWhateverTheCaseOfThePath) {
  testing::TempFolder folder;
  std::wstring upper = folder.path().native();
  for (wchar_t& c : upper) c = static_cast<wchar_t>(std::towupper(c));
  const auto tryFromAnotherThread = [&] {
    Status status;
    std::thread([&] {
      FolderLock second;
      status = FolderLock::Acquire(fs::path(upper), second, std::chrono::milliseconds(0));
    }).join();
    return status;
  };
  FolderLock first;
  ASSERT_TRUE(FolderLock::Acquire(folder.path(), first).ok());
  const Status refused = tryFromAnotherThread();
  EXPECT_FALSE(refused.ok());
  EXPECT_NE(refused.message().find("another program has been editing"), std::string::npos) << refused.message();
  first.Release();
  EXPECT_TRUE(tryFromAnotherThread().ok());
}

}  // namespace
}  // namespace korvane
