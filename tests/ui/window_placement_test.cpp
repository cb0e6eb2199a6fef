#include "ui/window_placement.h"

#include <gtest/gtest.h>

namespace korvane {
namespace {

constexpr Rect kScreen{0, 0, 1280, 800};
constexpr int kManagerWidth = 263, kManagerHeight = 598;

TEST(WindowPlacementTest, BesideTheMainWindowRightFirstThenLeft) {
  // Room on the right: level with the main window, the gap apart.
  EXPECT_EQ(PlaceSecondaryWindow(kScreen, {0, 0, 600, 500}, kManagerWidth, kManagerHeight), (WindowPosition{608, 0}));
  // Right up to the screen's edge still fits.
  EXPECT_EQ(PlaceSecondaryWindow(kScreen, {100, 40, 1009, 540}, kManagerWidth, kManagerHeight).x, 1017);
  // No room on the right: on the left, the gap apart.
  EXPECT_EQ(PlaceSecondaryWindow(kScreen, {500, 100, 1280, 600}, kManagerWidth, kManagerHeight),
            (WindowPosition{229, 100}));
  // Beside, but lower than the screen allows: moved up into it.
  EXPECT_EQ(PlaceSecondaryWindow(kScreen, {0, 400, 600, 800}, kManagerWidth, kManagerHeight),
            (WindowPosition{608, 800 - kManagerHeight}));
}

TEST(WindowPlacementTest, WithNoRoomOnEitherSideItOpensOverTheMainWindowInsideTheScreen) {
  // The main window fills the middle: centred over it.
  EXPECT_EQ(PlaceSecondaryWindow(kScreen, {200, 100, 1080, 700}, 300, 200), (WindowPosition{490, 300}));
  // The main window hangs far over the right and bottom edges: the window is pulled back inside.
  EXPECT_EQ(PlaceSecondaryWindow(kScreen, {250, 300, 2600, 1200}, kManagerWidth, kManagerHeight),
            (WindowPosition{1280 - kManagerWidth, 800 - kManagerHeight}));
  // ...and over the left and top edges.
  EXPECT_EQ(PlaceSecondaryWindow(kScreen, {-1000, -300, 1100, 300}, kManagerWidth, kManagerHeight),
            (WindowPosition{0, 0}));
}

TEST(WindowPlacementTest, AWindowLargerThanTheScreenStartsAtItsTopLeft) {
  EXPECT_EQ(PlaceSecondaryWindow(kScreen, {100, 100, 700, 600}, 1500, 900), (WindowPosition{0, 0}));
  EXPECT_EQ(PlaceSecondaryWindow({1280, 0, 2304, 768}, {1300, 10, 1900, 600}, 1100, 300).x, 1280);
}

TEST(WindowPlacementTest, TheScreensOwnOffsetsCount) {
  // A second screen right of the first, with a panel along its top: the available area starts at 1280, 32.
  constexpr Rect kSecond{1280, 32, 3200, 1080};
  EXPECT_EQ(PlaceSecondaryWindow(kSecond, {1300, 32, 2300, 682}, kManagerWidth, kManagerHeight),
            (WindowPosition{2308, 32}));
  // At its right edge the left side is taken, and it must not spill onto the first screen.
  EXPECT_EQ(PlaceSecondaryWindow(kSecond, {2200, 40, 3200, 690}, kManagerWidth, kManagerHeight),
            (WindowPosition{2200 - 8 - kManagerWidth, 40}));
  EXPECT_EQ(PlaceSecondaryWindow(kSecond, {1290, -200, 3190, 500}, kManagerWidth, kManagerHeight),
            (WindowPosition{2108, 32}));
  // A screen left of the primary one has negative coordinates.
  constexpr Rect kLeftScreen{-1024, 0, 0, 768};
  EXPECT_EQ(PlaceSecondaryWindow(kLeftScreen, {-300, 100, 200, 600}, kManagerWidth, kManagerHeight),
            (WindowPosition{-571, 100}));
}

TEST(WindowPlacementTest, AMessageBoxOpensCentredOverItsOwnerInsideTheScreen) {
  const Rect owner{100, 100, 700, 500};
  EXPECT_EQ(PlaceOverWindow(kScreen, &owner, 300, 150), (WindowPosition{250, 225}));
  // An owner partly off the screen: the box stays on it.
  const Rect offScreen{1000, -200, 1600, 200};
  EXPECT_EQ(PlaceOverWindow(kScreen, &offScreen, 300, 150), (WindowPosition{980, 0}));
  // No owner: the middle of the screen.
  EXPECT_EQ(PlaceOverWindow(kScreen, nullptr, 300, 150), (WindowPosition{490, 325}));
}

}  // namespace
}  // namespace korvane
