#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>

#include "ui/main_page_layout.h"
#include "ui/rect.h"
#include "ui/setting_panels.h"
#include "text/strings.h"

namespace korvane {

// The fixed elements of the main window, in client pixels.
inline constexpr Rect kWebAddressRect{30, 0, 262, 32};
inline constexpr Rect kMouseArea{262, 32, 734, 450};
inline constexpr int kLogoX = 20, kLogoY = 32;
inline constexpr int kVersionX = 20;
inline constexpr int kTopPictureX = 335, kTopPictureY = 58;
inline constexpr int kSidePictureX = 302, kSidePictureY = 130;
inline constexpr int kHeaderTitleIndent = 10;
// The footer between Config and Reset: the profile on the left, the sign of the last Save or Reset on the
// right.
inline constexpr Rect kFooterRect{100, 604, 790, 634};
inline constexpr Rect kFooterProfileRect{100, 604, 520, 634};
inline constexpr Rect kFooterSignRect{520, 604, 788, 634};

struct FooterTexts {
  std::string profile, sign;
};

inline constexpr std::string_view kMainBackground = "/main.png";
inline constexpr std::string_view kLogoImage = "/Logo.png";
inline constexpr std::string_view kVersionImage = "/version.png";
inline constexpr std::string_view kTrackImage = "/Bar1.png";
inline constexpr std::string_view kLeftColumnImage = "/BK_MainLeft.png";
inline constexpr std::string_view kMiddleImage = "/BK_MainMid.png";
inline constexpr std::string_view kRightColumnImage = "/BK_MainRight.png";
inline constexpr std::string_view kTopPicture = "/Mouse/Front/MouseFront.png";
inline constexpr std::string_view kSidePicture = "/Mouse/Side/MouseSide.png";
inline constexpr std::string_view kDropdownNormal = "/ButtonAssignment/DropdownBox-normal.png";
inline constexpr std::string_view kDropdownOver = "/ButtonAssignment/DropdownBox-over.png";
// A box drawn again with its label after a choice.
inline constexpr std::string_view kDropdownChosen = "/ButtonAssignment/DropdownBox-leave.png";

// Skinned push buttons with a hover look.
enum class MainButton { kHelp, kMinimise, kClose, kConfig, kReset, kCancel, kSave };

struct MainButtonInfo {
  MainButton button;
  Rect rect;
  std::string_view normalImage;
  std::string_view overImage;
  std::string_view MainStrings::*caption;  // nullptr: an image button
  int captionIndent;                        // > 0: left-aligned this far in; 0: centred
};
const std::array<MainButtonInfo, 7>& MainButtons();
const MainButtonInfo& ButtonInfo(MainButton button);
std::optional<MainButton> MainButtonAt(int x, int y);

// The view switch: 1 shows the top view, 2 the side view.
inline constexpr int kTopView = 1;
inline constexpr int kSideView = 2;
inline constexpr std::string_view kViewSwitchNormal = "/button-mouse-normal.png";
inline constexpr std::string_view kViewSwitchShown = "/button-mouse-leave.png";
inline constexpr Rect kSideSwitchRect{437, 527, 499, 556};
inline constexpr Rect kTopSwitchRect{500, 527, 562, 556};

// The hot spots of the mouse picture for button n (1-8) in a view, and the back parts of buttons 4 and 5
// that the side view also shows.
struct HotSpot {
  Rect rect;
  std::string_view normalImage;
  std::string_view overImage;
};
const HotSpot& MouseHotSpot(int view, int button);
const std::array<HotSpot, 2>& SideBackHotSpots();  // B-4, B-5

// What a left-button press on the main window asks for, in the order the window tests its rectangles.
struct MainClick {
  enum class Kind {
    kWebLink,
    kButton,        // button holds which
    kViewSwitch,    // view holds which
    kHeader,        // section holds which; a right header also drags
    kButtonRow,     // row holds 0-7; only while Button Assignment is open
    kPanel,         // panel holds the control of an open setting panel
    kDrag,
  };
  Kind kind = Kind::kDrag;
  MainButton button = MainButton::kHelp;
  int view = 0;
  MainSection section = MainSection::kButtonAssignment;
  int row = 0;
  std::optional<PanelHit> panel;
  // The press also moves the window: no command that ends the press took it.
  bool drags() const {
    return kind == Kind::kDrag || (kind == Kind::kHeader && static_cast<int>(section) >= kFirstRightSection);
  }
};
MainClick ClassifyMainClick(const MainPageState& pages, int x, int y);

}  // namespace korvane
