#pragma once

#include <array>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "config/value_rules.h"
#include "ui/rect.h"

namespace korvane {

struct SkinSize {
  int width = 0;
  int height = 0;
  bool operator==(const SkinSize&) const = default;
};

// One image of a skin, or a numbered family of them: a family's name holds "%d", which stands for each of
// its numbers in decimal ("/StageSlider/%d.png" with 1 is "/StageSlider/1.png"). Names are relative to the
// skin folder and begin with "/".
struct SkinImageFamily {
  std::string_view name;
  SkinSize size;
  std::span<const int> numbers;  // empty: a single image
};

struct SkinImage {
  std::string name;
  SkinSize size;
};

// Faces several windows wear: the small close button (main window, profile manager, key dialogs, message
// boxes) and the macro manager's "New" button (also the key dialogs' OK and Cancel and the message boxes'
// buttons).
inline constexpr std::string_view kCloseButtonImage = "/button-close-normal.png";
inline constexpr std::string_view kCloseButtonOverImage = "/button-close-over.png";
inline constexpr std::string_view kNewButtonImage = "/MacroManagement/button-new-normal.png";
inline constexpr std::string_view kNewButtonOverImage = "/MacroManagement/button-new-over.png";

template <int First, int Last>
constexpr std::array<int, Last - First + 1> NumberRange() {
  std::array<int, Last - First + 1> numbers{};
  for (int i = 0; i < Last - First + 1; ++i) numbers[i] = First + i;
  return numbers;
}

inline constexpr auto kDpiStageValues = NumberRange<1, 100>();  // level bar per stage value
inline constexpr auto kSliderPositions = NumberRange<1, 11>();  // X/Y sensitivity and angle snap
inline constexpr auto kLightingPositions = NumberRange<1, 6>();
inline constexpr auto kSpeedDialPositions = NumberRange<1, 11>();
inline constexpr auto kAngleSnapPositions = NumberRange<1, 11>();
// The report rates, slowest first.
inline constexpr std::array<int, REPORT_RATES.size()> kReportRatesHz = [] {
  std::array<int, REPORT_RATES.size()> hz{};
  for (std::size_t i = 0; i < hz.size(); ++i) hz[i] = REPORT_RATES[hz.size() - 1 - i].hz;
  return hz;
}();

// Every image a skin must hold, with the size the default skin gives it. Where a rectangle of a window
// fixes an image, its size is that rectangle's; the comments name the rest's reasons. Hover pairs
// ("-normal", "-over") and the "-leave" looks share one size.
inline constexpr auto kSkinImageFamilies = std::to_array<SkinImageFamily>({
    // Main window frame.
    {"/main.png", {1000, 640}, {}},  // encloses every element: close button to x 994, bottom row to y 634
    {"/Logo.png", {242, 70}, {}},
    {"/version.png", {242, 40}, {}},      // from y 557 down to the bottom strip
    {"/Bar1.png", {7, 563}, {}},          // scroll track 984, 32, 991, 595
    {"/BK_MainLeft.png", {242, 450}, {}},  // column x 20-262, from its first header to the version image
    {"/BK_MainMid.png", {472, 418}, {}},   // mouse area 262, 32, 734, 450
    {"/BK_MainRight.png", {242, 563}, {}},  // column x 734-976, as high as the scroll track
    {"/ItemBK.png", {242, 20}, {}},         // section header
    {"/MacroManagementBK.png", {242, 38}, {}},

    // Title and bottom buttons, view switch.
    {"/button-help-normal.png", {15, 15}, {}},
    {"/button-help-over.png", {15, 15}, {}},
    {"/button-min-normal.png", {15, 15}, {}},
    {"/button-min-over.png", {15, 15}, {}},
    {kCloseButtonImage, {15, 15}, {}},
    {kCloseButtonOverImage, {15, 15}, {}},
    {"/button-save-normal.png", {57, 30}, {}},
    {"/button-save-over.png", {57, 30}, {}},
    {"/button-cancel-normal.png", {57, 30}, {}},  // Reset and Cancel
    {"/button-cancel-over.png", {57, 30}, {}},
    {"/button-config-normal.png", {72, 30}, {}},
    {"/button-config-over.png", {72, 30}, {}},
    {"/button-mouse-normal.png", {62, 29}, {}},
    {"/button-mouse-leave.png", {62, 29}, {}},

    // Mouse views: the pictures hold every hot spot of their view; each hot spot is its rectangle.
    {"/Mouse/Front/MouseFront.png", {274, 380}, {}},  // at 335, 58: hot spots reach x 609
    {"/Mouse/Side/MouseSide.png", {340, 250}, {}},    // at 302, 130: the back parts reach x 621
    {"/Mouse/Front/F-1-normal.png", {94, 62}, {}},
    {"/Mouse/Front/F-1-over.png", {94, 62}, {}},
    {"/Mouse/Front/F-2-normal.png", {94, 62}, {}},
    {"/Mouse/Front/F-2-over.png", {94, 62}, {}},
    {"/Mouse/Front/F-3-normal.png", {136, 25}, {}},
    {"/Mouse/Front/F-3-over.png", {136, 25}, {}},
    {"/Mouse/Front/F-4-normal.png", {143, 25}, {}},
    {"/Mouse/Front/F-4-over.png", {143, 25}, {}},
    {"/Mouse/Front/F-5-normal.png", {143, 25}, {}},
    {"/Mouse/Front/F-5-over.png", {143, 25}, {}},
    {"/Mouse/Front/F-6-normal.png", {136, 25}, {}},
    {"/Mouse/Front/F-6-over.png", {136, 25}, {}},
    {"/Mouse/Front/F-7-normal.png", {65, 25}, {}},
    {"/Mouse/Front/F-7-over.png", {65, 25}, {}},
    {"/Mouse/Front/F-8-normal.png", {71, 25}, {}},
    {"/Mouse/Front/F-8-over.png", {71, 25}, {}},
    {"/Mouse/Side/S-1-normal.png", {62, 107}, {}},
    {"/Mouse/Side/S-1-over.png", {62, 107}, {}},
    {"/Mouse/Side/S-2-normal.png", {62, 102}, {}},
    {"/Mouse/Side/S-2-over.png", {62, 102}, {}},
    {"/Mouse/Side/S-3-normal.png", {25, 73}, {}},
    {"/Mouse/Side/S-3-over.png", {25, 73}, {}},
    {"/Mouse/Side/S-4-normal.png", {25, 141}, {}},
    {"/Mouse/Side/S-4-over.png", {25, 141}, {}},
    {"/Mouse/Side/S-5-normal.png", {25, 154}, {}},
    {"/Mouse/Side/S-5-over.png", {25, 154}, {}},
    {"/Mouse/Side/S-6-normal.png", {25, 49}, {}},
    {"/Mouse/Side/S-6-over.png", {25, 49}, {}},
    {"/Mouse/Side/S-7-normal.png", {25, 118}, {}},
    {"/Mouse/Side/S-7-over.png", {25, 118}, {}},
    {"/Mouse/Side/S-8-normal.png", {25, 120}, {}},
    {"/Mouse/Side/S-8-over.png", {25, 120}, {}},
    {"/Mouse/Back/B-4-normal.png", {68, 25}, {}},
    {"/Mouse/Back/B-4-over.png", {68, 25}, {}},
    {"/Mouse/Back/B-5-normal.png", {62, 25}, {}},
    {"/Mouse/Back/B-5-over.png", {62, 25}, {}},

    // Button assignment: eight rows below the header; the last drop-down box ends 183 below the header.
    {"/ButtonAssignment/BK_ButtonAssignment.png", {242, 191}, {}},
    {"/ButtonAssignment/DropdownBox-normal.png", {152, 16}, {}},
    {"/ButtonAssignment/DropdownBox-over.png", {152, 16}, {}},
    {"/ButtonAssignment/DropdownBox-leave.png", {152, 16}, {}},

    // Setting panels. Content heights are chosen so that every layout the right column can reach ends
    // above the bottom of the scroll track (y 595).
    {"/XYSensitivity/BK_XYSensSetting.png", {242, 135}, {}},  // sliders at +40 and +100, ticks below
    {"/DPISetting/BK_DPISetting.png", {242, 225}, {}},        // from y 52 past the swatches (y 265)
    {"/DPISetting/BK-DPIValue.png", {40, 16}, {}},            // number box 760, 220, 800, 236
    {"/DPISetting/DPIStage/%d.png", {10, 113}, kDpiStageValues},  // level bar 775, 90, 785, 203
    {"/StageSlider/%d.png", {208, 9}, kSliderPositions},
    {"/Lighting/BK_Lighting.png", {242, 105}, {}},  // three rows at a 29-pixel pitch, ticks below
    {"/Lighting/%d.png", {128, 8}, kLightingPositions},
    {"/Enable.png", {10, 9}, {}},  // lighting mode selector
    {"/Disable.png", {10, 9}, {}},
    {"/USBReportRate/BK_USBReportRate.png", {242, 138}, {}},  // the dial 5 pixels from the top and bottom
    {"/USBReportRate/%dHZ.png", {128, 128}, kReportRatesHz},
    {"/MouseAttribute/BK_MouseAttribute.png", {242, 115}, {}},
    {"/MouseAttribute/Speed/%d.png", {142, 83}, kSpeedDialPositions},
    {"/MouseAttribute/BK_ScrollSpeed.png", {242, 75}, {}},
    {"/MouseAttribute/ScrollSpeed/Enable.png", {12, 12}, {}},
    {"/MouseAttribute/ScrollSpeed/Disable.png", {12, 12}, {}},
    {"/MouseAttribute/ScrollSpeed/ScrollLines.png", {56, 20}, {}},  // frame of box 121 with its arrows
    {"/AngleSnap/BK_AngleSnap.png", {242, 135}, {}},
    {"/AngleSnap/%d.png", {207, 85}, kAngleSnapPositions},

    // Key capture and macro key dialogs: they share the close, OK and Cancel rectangles.
    {"/single-key.png", {392, 288}, {}},
    {"/combo-key.png", {392, 288}, {}},
    {"/macro-key.png", {392, 288}, {}},  // mode labels reach x 390
    {"/Pane.png", {16, 16}, {}},
    {"/PaneMakingTick.png", {16, 16}, {}},

    // Macro manager.
    {"/MacroManagement/MacroManagement.png", {496, 436}, {}},  // close box to x 478, OK row to y 422
    {"/MacroManagement/Pane.png", {14, 14}, {}},
    {"/MacroManagement/PaneMakingTick.png", {14, 14}, {}},
    {"/MacroManagement/Record-normal.png", {89, 24}, {}},
    {kNewButtonImage, {58, 25}, {}},  // also OK and Cancel of the small dialogs
    {kNewButtonOverImage, {58, 25}, {}},
    {"/MacroManagement/button-cancel-normal.png", {54, 28}, {}},
    {"/MacroManagement/button-cancel-over.png", {54, 28}, {}},
    {"/Insert-Macro-normal.png", {58, 25}, {}},  // no window places it: sized as the other small buttons
    {"/Insert-Macro-over.png", {58, 25}, {}},
    {"/macro-button-close-normal.png", {51, 24}, {}},
    {"/macro-button-close-over.png", {51, 24}, {}},

    // Profile manager and help panel.
    {"/Config/Config.png", {263, 598}, {}},  // list box 0, 31, 263, 575 and the New row to y 598
    {"/Config/New-Config.png", {12, 12}, {}},  // at 14, 582 inside the New row
    {"/Help/HelpWindow.png", {166, 77}, {}},   // its three text rows; at 786, 25 it ends under the Help button
});

// Where the arrows sit inside "/MouseAttribute/ScrollSpeed/ScrollLines.png", and the part of it that the
// scroll-lines box (121) should cover.
inline constexpr Rect kScrollLinesUpArrow{42, 3, 52, 9};
inline constexpr Rect kScrollLinesDownArrow{42, 11, 52, 17};  // 8 pixels below the up arrow
inline constexpr Rect kScrollLinesTextArea{3, 3, 38, 17};

// The part of the section header "/ItemBK.png" that holds its chevron, centred on the chevron, so that an
// open section shows the same part turned half round in place.
inline constexpr Rect kHeaderChevronArea{222, 6, 234, 14};

// A family's name with its "%d" replaced by the number; a name without "%d" comes back unchanged.
std::string NumberedSkinImage(std::string_view family, int number);

// Every image name of the inventory, families expanded, in table order.
const std::vector<SkinImage>& SkinInventory();

// The size the default skin gives the named image; nothing for a name outside the inventory.
std::optional<SkinSize> SkinImageSize(std::string_view name);

}  // namespace korvane
