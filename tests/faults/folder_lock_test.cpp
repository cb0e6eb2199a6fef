#include "common/folder_lock.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <atomic>
#include <thread>

#include "support/test_folder.h"

namespace korvane {
namespace {

using namespace std::chrono_literals;
using ::testing::HasSubstr;

// Two locks of one process conflict as two programs' would: each opens the folder anew.
TEST(FolderLockTest, ASecondEditorWaitsUntilTheFirstIsDone) {
  testing::TempFolder folder;
  FolderLock first;
  ASSERT_TRUE(FolderLock::Acquire(folder.path(), first));
  std::atomic<bool> released = false;
  std::thread second([&] {
    FolderLock lock;
    EXPECT_TRUE(FolderLock::Acquire(folder.path(), lock, 5s));
    EXPECT_TRUE(released) << "the lock was taken while the first editor held it";
  });
  std::this_thread::sleep_for(100ms);
  released = true;
  first.Release();
  second.join();
}

TEST(FolderLockTest, AHolderThatNeverLetsGoIsReportedInsteadOfWaitedFor) {
  testing::TempFolder folder;
  FolderLock holder;
  ASSERT_TRUE(FolderLock::Acquire(folder.path(), holder));
  FolderLock lock;
  const Status status = FolderLock::Acquire(folder.path(), lock, 50ms);
  EXPECT_FALSE(status);
  EXPECT_FALSE(lock.held());
  EXPECT_THAT(status.message(), HasSubstr(folder.path().string()));
  EXPECT_THAT(status.message(), HasSubstr("try again"));
}

TEST(FolderLockTest, ALockMovesAndEndsWithItsOwner) {
  testing::TempFolder folder;
  {
    FolderLock inner;
    ASSERT_TRUE(FolderLock::Acquire(folder.path(), inner));
    FolderLock moved = std::move(inner);
    EXPECT_TRUE(moved.held());
    EXPECT_FALSE(inner.held());
    FolderLock other;
    EXPECT_FALSE(FolderLock::Acquire(folder.path(), other, 0ms));
  }
  FolderLock after;
  EXPECT_TRUE(FolderLock::Acquire(folder.path(), after, 0ms));
}

TEST(FolderLockTest, AMissingFolderIsNamed) {
  testing::TempFolder folder;
  FolderLock lock;
  const Status status = FolderLock::Acquire(folder.File("gone"), lock);
  EXPECT_FALSE(status);
  EXPECT_THAT(status.message(), HasSubstr("gone"));
}

}  // namespace
}  // namespace korvane
