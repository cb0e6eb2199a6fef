#include "common/single_instance.h"

#include <gtest/gtest.h>

#include "support/test_folder.h"

namespace korvane {
namespace {

TEST(SingleInstanceTest, SecondLockInTheSameFolderIsRefusedUntilTheFirstGoes) {
  testing::TempFolder folder;
  auto first = std::make_unique<SingleInstanceLock>();
  ASSERT_EQ(first->Acquire(folder.path()), SingleInstanceLock::Outcome::kAcquired);
  EXPECT_TRUE(std::filesystem::exists(folder.File("QDVanteelMutex.lock")));

  SingleInstanceLock second;
  EXPECT_EQ(second.Acquire(folder.path()), SingleInstanceLock::Outcome::kAlreadyRunning);
  first.reset();
  SingleInstanceLock third;
  EXPECT_EQ(third.Acquire(folder.path()), SingleInstanceLock::Outcome::kAcquired);
}

TEST(SingleInstanceTest, UnusableFolderIsAFailureWithItsReason) {
  SingleInstanceLock lock;
  EXPECT_EQ(lock.Acquire("/nonexistent/korvane"), SingleInstanceLock::Outcome::kFailed);
  EXPECT_NE(lock.status().message().find("QDVanteelMutex.lock"), std::string::npos);
}

}  // namespace
}  // namespace korvane
