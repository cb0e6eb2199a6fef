#include <gtest/gtest.h>

#define WIN32_LEAN_AND_MEAN
#include <windows.h>

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

TEST(WindowsFileIoTest, AFolderIsNeitherReadNorReplacedAndFilesReplacedTogetherWaitForEachOther) {
  testing::TempFolder folder;
  const fs::path config = folder.File("config0.bin");
  ASSERT_TRUE(WriteFileReplacing(config, "old config").ok());
  fs::create_directory(folder.File("str0.ini"));
  std::string bytes;
  EXPECT_NE(ReadRegularFile(folder.File("str0.ini"), bytes).message().find("str0.ini is a folder"), std::string::npos);
  const FileContents files[] = {{config, "new config"}, {folder.File("str0.ini"), "labels"}};
  EXPECT_NE(ReplaceFiles(files).message().find("str0.ini is a folder"), std::string::npos);
  EXPECT_EQ(ReadWholeFile(config), "old config");
  EXPECT_EQ(std::distance(fs::directory_iterator(folder.path()), fs::directory_iterator()), 2);
}

// A process that has ended: this program, run to list no tests.
DWORD EndedProcessId() {
  wchar_t self[MAX_PATH];
  ::GetModuleFileNameW(nullptr, self, MAX_PATH);
  std::wstring command = L"\"" + std::wstring(self) + L"\" --gtest_filter=-*";
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process{};
  if (!::CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, CREATE_NO_WINDOW, nullptr, nullptr,
                        &startup, &process)) {
    return 0;
  }
  ::WaitForSingleObject(process.hProcess, INFINITE);
  ::CloseHandle(process.hThread);
  ::CloseHandle(process.hProcess);
  return process.dwProcessId;
}

TEST(WindowsFileIoTest, OnlyTheTemporariesOfEndedWritersAreRemoved) {
  testing::TempFolder folder;
  const DWORD ended = EndedProcessId();
  ASSERT_NE(ended, 0u);
  const std::string stale = "config0.bin.korvane-" + std::to_string(ended) + "-abc123";
  const std::string running = "config0.bin.korvane-" + std::to_string(::GetCurrentProcessId()) + "-abc123";
  for (const std::string& name : {stale, running, std::string("config0.bin.bak")}) folder.WriteText(name, "x");
  RemoveStaleTemporaries(folder.path());
  EXPECT_FALSE(fs::exists(folder.File(stale)));
  EXPECT_TRUE(fs::exists(folder.File(running)));
  EXPECT_TRUE(fs::exists(folder.File("config0.bin.bak")));
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
