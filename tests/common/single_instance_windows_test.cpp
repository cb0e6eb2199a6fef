#include <gtest/gtest.h>

#include "common/single_instance.h"
#include "support/test_folder.h"

namespace korvane {
namespace {

TEST(WindowsSingleInstanceTest, SecondInstanceOfAFolderIsRefusedUntilTheFirstGoes) {
  testing::TempFolder folder;
  testing::TempFolder other;
  auto first = std::make_unique<SingleInstanceLock>();
  ASSERT_EQ(first->Acquire(folder.path()), SingleInstanceLock::Outcome::kAcquired);
  SingleInstanceLock second;
  EXPECT_EQ(second.Acquire(folder.path()), SingleInstanceLock::Outcome::kAlreadyRunning);
  SingleInstanceLock elsewhere;
  EXPECT_EQ(elsewhere.Acquire(other.path()), SingleInstanceLock::Outcome::kAcquired);
  first.reset();
  SingleInstanceLock third;
  EXPECT_EQ(third.Acquire(folder.path()), SingleInstanceLock::Outcome::kAcquired);
}

}  // namespace
}  // namespace korvane
