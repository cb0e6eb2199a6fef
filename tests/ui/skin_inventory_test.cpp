#include "ui/skin_inventory.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <set>

#include "ui/main_page_layout.h"
#include "ui/main_window_geometry.h"

namespace korvane {
namespace {

const std::filesystem::path kDefaultSkin = std::filesystem::path(KORVANE_PROGRAM_DIR) / "Skins" / "Default";

struct PngHeader {
  bool valid = false;
  SkinSize size;
};

std::uint32_t BigEndian32(const unsigned char* bytes) {
  return (std::uint32_t{bytes[0]} << 24) | (std::uint32_t{bytes[1]} << 16) | (std::uint32_t{bytes[2]} << 8) |
         std::uint32_t{bytes[3]};
}

// The signature and the IHDR chunk that must open every PNG file: width and height are its first fields.
PngHeader ReadPngHeader(const std::filesystem::path& file) {
  static constexpr unsigned char kSignature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
  std::array<unsigned char, 24> bytes{};
  std::ifstream in(file, std::ios::binary);
  if (!in.read(reinterpret_cast<char*>(bytes.data()), bytes.size())) return {};
  if (!std::equal(std::begin(kSignature), std::end(kSignature), bytes.begin())) return {};
  if (BigEndian32(&bytes[8]) != 13 || std::string(bytes.begin() + 12, bytes.begin() + 16) != "IHDR") return {};
  return {true, {static_cast<int>(BigEndian32(&bytes[16])), static_cast<int>(BigEndian32(&bytes[20]))}};
}

TEST(SkinInventory, NumberedFamiliesExpandToEveryNumber) {
  const auto& inventory = SkinInventory();
  std::set<std::string> names;
  for (const SkinImage& image : inventory) {
    EXPECT_TRUE(names.insert(image.name).second) << "twice: " << image.name;
    EXPECT_EQ(image.name.front(), '/') << image.name;
    EXPECT_TRUE(image.name.ends_with(".png")) << image.name;
    EXPECT_EQ(image.name.find("%d"), std::string::npos) << image.name;
  }
  for (const char* name : {"/DPISetting/DPIStage/1.png", "/DPISetting/DPIStage/100.png", "/StageSlider/11.png",
                           "/Lighting/6.png", "/USBReportRate/125HZ.png", "/USBReportRate/1000HZ.png",
                           "/MouseAttribute/Speed/1.png", "/AngleSnap/11.png"}) {
    EXPECT_TRUE(names.contains(name)) << name;
  }
  EXPECT_FALSE(names.contains("/DPISetting/DPIStage/0.png"));
  EXPECT_FALSE(names.contains("/DPISetting/DPIStage/101.png"));
  EXPECT_FALSE(names.contains("/USBReportRate/2000HZ.png"));
  EXPECT_EQ(NumberedSkinImage("/USBReportRate/%dHZ.png", 250), "/USBReportRate/250HZ.png");
  EXPECT_EQ(NumberedSkinImage("/main.png", 3), "/main.png");
  EXPECT_EQ(SkinImageSize("/DPISetting/DPIStage/57.png"), (SkinSize{10, 113}));
  EXPECT_FALSE(SkinImageSize("/missing.png").has_value());
}

TEST(SkinInventory, HoverLooksShareOneSize) {
  for (const SkinImage& image : SkinInventory()) {
    for (const char* look : {"-normal.png", "-over.png", "-leave.png"}) {
      if (!image.name.ends_with(look)) continue;
      const std::string stem = image.name.substr(0, image.name.size() - std::strlen(look));
      for (const char* other : {"-normal.png", "-over.png", "-leave.png"}) {
        if (const auto size = SkinImageSize(stem + other)) {
          EXPECT_EQ(*size, image.size) << stem << other;
        }
      }
    }
  }
}

TEST(SkinInventory, MainWindowImagesFitTheirRectangles) {
  const auto sizeOf = [](const Rect& rect) { return SkinSize{rect.width(), rect.height()}; };
  for (const MainButtonInfo& button : MainButtons()) {
    EXPECT_EQ(SkinImageSize(button.normalImage), sizeOf(button.rect)) << button.normalImage;
    EXPECT_EQ(SkinImageSize(button.overImage), sizeOf(button.rect)) << button.overImage;
  }
  for (int view : {kTopView, kSideView}) {
    for (int n = 1; n <= 8; ++n) {
      const HotSpot& spot = MouseHotSpot(view, n);
      EXPECT_EQ(SkinImageSize(spot.normalImage), sizeOf(spot.rect)) << spot.normalImage;
      EXPECT_EQ(SkinImageSize(spot.overImage), sizeOf(spot.rect)) << spot.overImage;
    }
  }
  for (const HotSpot& spot : SideBackHotSpots()) EXPECT_EQ(SkinImageSize(spot.normalImage), sizeOf(spot.rect));
  EXPECT_EQ(SkinImageSize(kViewSwitchNormal), sizeOf(kSideSwitchRect));
  EXPECT_EQ(SkinImageSize(kMiddleImage), sizeOf(kMouseArea));
  EXPECT_EQ(SkinImageSize(kTrackImage), (SkinSize{kThumbWidth, kTrackBottom - kTrackTop}));

  // Every picture must hold all hot spots of its view and stay inside the mouse area.
  const SkinSize window = *SkinImageSize(kMainBackground);
  const auto holds = [](const Rect& outer, const Rect& inner) {
    return outer.left <= inner.left && outer.top <= inner.top && inner.right <= outer.right &&
           inner.bottom <= outer.bottom;
  };
  const SkinSize top = *SkinImageSize(kTopPicture);
  const SkinSize side = *SkinImageSize(kSidePicture);
  const Rect topRect{kTopPictureX, kTopPictureY, kTopPictureX + top.width, kTopPictureY + top.height};
  const Rect sideRect{kSidePictureX, kSidePictureY, kSidePictureX + side.width, kSidePictureY + side.height};
  EXPECT_TRUE(holds(kMouseArea, topRect));
  EXPECT_TRUE(holds(kMouseArea, sideRect));
  for (int n = 1; n <= 8; ++n) {
    EXPECT_TRUE(holds(topRect, MouseHotSpot(kTopView, n).rect)) << "top " << n;
    EXPECT_TRUE(holds(sideRect, MouseHotSpot(kSideView, n).rect)) << "side " << n;
  }
  for (const HotSpot& spot : SideBackHotSpots()) EXPECT_TRUE(holds(sideRect, spot.rect));
  for (const MainButtonInfo& button : MainButtons()) {
    EXPECT_TRUE(holds({0, 0, window.width, window.height}, button.rect));
  }
}

MainPageState::ContentHeights InventoryContentHeights() {
  MainPageState::ContentHeights heights{};
  for (int i = 0; i < kMainSectionCount; ++i) {
    const auto& info = SectionInfo(static_cast<MainSection>(i));
    heights[i] = info.contentImage.empty() ? 0 : SkinImageSize(info.contentImage).value_or(SkinSize{}).height;
  }
  return heights;
}

int ColumnBottom(const MainPageState& pages, const ColumnLayout& column) {
  int bottom = 0;
  for (const SectionPlacement& placement : column.sections) {
    bottom = std::max(bottom, placement.contentTop() + (placement.expanded ? pages.contentHeight(placement.section) : 0));
  }
  return bottom;
}

// Opening any set of right sections, in order, on page 1 and then paging down, never lays a panel out past
// the bottom of the scroll track.
TEST(SkinInventory, EveryRightColumnLayoutEndsAboveTheTrackBottom) {
  for (int subset = 0; subset < (1 << kRightSectionCount); ++subset) {
    MainPageState pages(InventoryContentHeights());
    for (int i = 0; i < kRightSectionCount; ++i) {
      if (subset & (1 << i)) pages.Toggle(static_cast<MainSection>(kFirstRightSection + i));
    }
    EXPECT_LE(ColumnBottom(pages, pages.LayOutRightColumn()), kTrackBottom) << "page 1, sections " << subset;
    pages.OnThumbMoved(kTrackBottom - kThumbHeight);
    EXPECT_LE(ColumnBottom(pages, pages.LayOutRightColumn()), kTrackBottom) << "page 2, sections " << subset;
  }
}

TEST(SkinInventory, OpenLeftColumnEndsAboveTheVersionImage) {
  MainPageState pages(InventoryContentHeights());
  pages.Toggle(MainSection::kButtonAssignment);
  pages.Toggle(MainSection::kXYSensitivity);
  EXPECT_LE(ColumnBottom(pages, pages.LeftColumn()), kLeftColumnTop + kVersionOffset);
  EXPECT_EQ(SkinImageSize(kLeftColumnImage)->height, kVersionOffset);
}

TEST(SkinInventory, DefaultSkinHoldsEveryImageAtItsSize) {
  if (!std::filesystem::is_directory(kDefaultSkin)) GTEST_SKIP() << "no default skin: the GUI build is off";
  for (const SkinImage& image : SkinInventory()) {
    const auto file = kDefaultSkin / image.name.substr(1);
    const PngHeader header = ReadPngHeader(file);
    ASSERT_TRUE(header.valid) << "missing or not a PNG: " << file;
    EXPECT_EQ(header.size, image.size) << image.name;
  }
}

}  // namespace
}  // namespace korvane
