#include "common/numbers.h"

#include <gtest/gtest.h>

#include <limits>

namespace korvane {
namespace {

TEST(NumbersTest, LeadingNumberReadsAsAtoiDoesAndNeverOverflows) {
  EXPECT_EQ(LeadingNumber(" \t42ms"), 42);
  EXPECT_EQ(LeadingNumber("-7"), -7);
  EXPECT_EQ(LeadingNumber("+7"), 7);
  EXPECT_EQ(LeadingNumber("+-7"), 0);
  EXPECT_EQ(LeadingNumber("ms 42"), 0);
  EXPECT_EQ(LeadingNumber(""), 0);
  // Far beyond long long: the bound, to which one more can still be added.
  EXPECT_EQ(LeadingNumber("99999999999999999999999999"), kLeadingNumberBound);
  EXPECT_EQ(LeadingNumber("-99999999999999999999999999"), -kLeadingNumberBound);
  EXPECT_EQ(LeadingNumber("999999999999999999"), 999'999'999'999'999'999);
}

TEST(NumbersTest, LeadingIntSaturatesSoThatNoHugeCountWrapsIntoRange) {
  EXPECT_EQ(LeadingInt("4294967297"), std::numeric_limits<int>::max());  // not 1
  EXPECT_EQ(LeadingInt("-4294967297"), std::numeric_limits<int>::min());
  EXPECT_EQ(LeadingInt("6\r"), 6);
}

TEST(NumbersTest, WholeNumberTakesNothingBesideTheDigits) {
  EXPECT_EQ(WholeNumber("1600"), 1600);
  EXPECT_EQ(WholeNumber("-3"), -3);
  for (const char* refused : {"", " 1", "1 ", "+1", "1x", "0x10", "99999999999999999999"}) {
    EXPECT_EQ(WholeNumber(refused), std::nullopt) << refused;
  }
}

}  // namespace
}  // namespace korvane
