#pragma once

#include <array>
#include <string_view>

#include "ui/rect.h"

namespace korvane {

// What the setting panels draw for their controls (PanelControls). A family's "%d" stands for the value
// the control shows.
inline constexpr std::string_view kStageBarImages = "/DPISetting/DPIStage/%d.png";  // the stage's level
inline constexpr std::string_view kStageBoxImage = "/DPISetting/BK-DPIValue.png";
inline constexpr std::string_view kSliderImages = "/StageSlider/%d.png";  // X/Y sensitivity and angle snap
inline constexpr std::string_view kLightSelectorOnImage = "/Enable.png";
inline constexpr std::string_view kLightSelectorOffImage = "/Disable.png";
inline constexpr std::string_view kLightSliderImages = "/Lighting/%d.png";
inline constexpr std::string_view kReportDialImages = "/USBReportRate/%dHZ.png";  // by the hertz shown
inline constexpr std::string_view kSpeedDialImages = "/MouseAttribute/Speed/%d.png";
inline constexpr std::string_view kScrollChoiceOnImage = "/MouseAttribute/ScrollSpeed/Enable.png";
inline constexpr std::string_view kScrollChoiceOffImage = "/MouseAttribute/ScrollSpeed/Disable.png";
inline constexpr std::string_view kScrollBoxImage = "/MouseAttribute/ScrollSpeed/ScrollLines.png";
inline constexpr std::string_view kAngleSnapImages = "/AngleSnap/%d.png";

// The texts beside the controls. From the panel's corner: the X and Y sliders' captions, and the CPI
// dial's "down" and "up", which share one font.
inline constexpr std::array<Rect, 2> kSensitivityCaptions = {{{17, 20, 225, 38}, {17, 80, 225, 98}}};
inline constexpr Rect kCpiDownCaption{21, 13, 106, 32};
inline constexpr Rect kCpiUpCaption{131, 13, 216, 32};

// From a control: a lighting mode's name right of its selector, up to x 98 of the panel.
constexpr Rect LightModeCaption(const Rect& selector, int panelLeft) {
  return {selector.right + 4, selector.top - 5, panelLeft + 98, selector.bottom + 5};
}
// "Slow" and "Fast" under the ends of a speed dial.
constexpr Rect SpeedDialSlowCaption(const Rect& dial) {
  return {dial.left - 11, dial.bottom - 4, dial.left + 39, dial.bottom + 12};
}
constexpr Rect SpeedDialFastCaption(const Rect& dial) {
  return {dial.right - 39, dial.bottom - 4, dial.right + 11, dial.bottom + 12};
}
// A scroll choice: its tick box inset at the top-left corner, its caption from this far in.
inline constexpr int kScrollChoiceBoxInset = 4;
inline constexpr int kScrollChoiceTextLeft = 22;
// A slider tick's text under the slider, centred on the tick (its x in the slider).
constexpr Rect SliderTickCaption(const Rect& slider, int tickCentre) {
  const int centre = slider.left + tickCentre;
  return {centre - 14, slider.bottom, centre + 14, slider.bottom + 16};
}

}  // namespace korvane
