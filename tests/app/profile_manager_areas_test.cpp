#include "app/profile_manager_areas.h"

#include <gtest/gtest.h>

#include "ui/skin_inventory.h"

namespace korvane {
namespace {

TEST(ProfileManagerAreasTest, PressesFindTheCloseButtonAndTheNewRowAndNothingElse) {
  const struct {
    const char* name;
    int x, y;
    ProfileManagerArea area;
  } cases[] = {
      {"close button", 247, 15, ProfileManagerArea::kClose},
      {"new row's left end", 0, 575, ProfileManagerArea::kNew},
      {"new row's caption", 200, 597, ProfileManagerArea::kNew},
      {"title bar", 100, 15, ProfileManagerArea::kNone},
      {"right of the close button", 255, 15, ProfileManagerArea::kNone},
      {"below the window", 100, 598, ProfileManagerArea::kNone},
  };
  for (const auto& c : cases) EXPECT_EQ(ProfileManagerAreaAt(c.x, c.y), c.area) << c.name;
}

// The window is as large as its background; what it draws must lie on it, clear of the list box.
TEST(ProfileManagerAreasTest, EverythingDrawnFitsTheDefaultBackgroundBesideTheList) {
  const std::optional<SkinSize> background = SkinImageSize(kProfileManagerBackground);
  ASSERT_TRUE(background);
  EXPECT_EQ(background->width, kProfileManagerNew.right);
  EXPECT_EQ(background->height, kProfileManagerNew.bottom);
  EXPECT_EQ(kProfileManagerList.bottom, kProfileManagerNew.top);
  EXPECT_LE(kProfileManagerTitleText.bottom, kProfileManagerList.top);
  EXPECT_LE(kProfileManagerClose.bottom, kProfileManagerList.top);

  const std::optional<SkinSize> close = SkinImageSize(kCloseButtonImage);
  ASSERT_TRUE(close);
  EXPECT_EQ(close->width, kProfileManagerClose.width());
  EXPECT_EQ(close->height, kProfileManagerClose.height());
  const std::optional<SkinSize> icon = SkinImageSize(kProfileManagerNewImage);
  ASSERT_TRUE(icon);
  EXPECT_LE(kProfileManagerNewImageLeft + icon->width, kProfileManagerNewText.left);
  EXPECT_LE(kProfileManagerNewImageTop + icon->height, kProfileManagerNew.bottom);
}

}  // namespace
}  // namespace korvane
