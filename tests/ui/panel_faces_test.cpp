#include "ui/panel_faces.h"

#include <gtest/gtest.h>

#include "ui/setting_panels.h"
#include "ui/skin_inventory.h"

namespace korvane {
namespace {

// The image a control is drawn with, at its first value; empty for controls drawn otherwise.
std::string FaceOf(PanelControl::Kind kind) {
  using Kind = PanelControl::Kind;
  switch (kind) {
    case Kind::kStageBar: return NumberedSkinImage(kStageBarImages, 1);
    case Kind::kStageBox: return std::string(kStageBoxImage);
    case Kind::kSensitivitySlider:
    case Kind::kAngleSnapSlider: return NumberedSkinImage(kSliderImages, 1);
    case Kind::kLightSelector: return std::string(kLightSelectorOnImage);
    case Kind::kLightSlider: return NumberedSkinImage(kLightSliderImages, 1);
    case Kind::kReportDial: return NumberedSkinImage(kReportDialImages, 125);
    case Kind::kSpeedDial: return NumberedSkinImage(kSpeedDialImages, 1);
    case Kind::kAngleSnapPicture: return NumberedSkinImage(kAngleSnapImages, 1);
    default: return {};
  }
}

TEST(PanelFacesTest, EachControlIsDrawnWithASkinImageOfItsSize) {
  int checked = 0;
  for (int i = 0; i < kMainSectionCount; ++i) {
    for (const PanelControl& control : PanelControls(static_cast<MainSection>(i), 0, 0)) {
      const std::string face = FaceOf(control.kind);
      if (face.empty()) continue;
      EXPECT_EQ(SkinImageSize(face), (SkinSize{control.rect.width(), control.rect.height()})) << face;
      ++checked;
    }
  }
  EXPECT_GT(checked, 0);
  EXPECT_EQ(SkinImageSize(kLightSelectorOnImage), SkinImageSize(kLightSelectorOffImage));
  EXPECT_EQ(SkinImageSize(kScrollChoiceOnImage), SkinImageSize(kScrollChoiceOffImage));
}

}  // namespace
}  // namespace korvane
