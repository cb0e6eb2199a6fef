#include "ui/main_window_geometry.h"

#include "common/small_types.h"
#include "ui/skin_inventory.h"

namespace korvane {

namespace {

constexpr std::array<MainButtonInfo, 7> kButtons{{
    {MainButton::kHelp, {937, 5, 952, 20}, "/button-help-normal.png", "/button-help-over.png", nullptr, 0},
    {MainButton::kMinimise, {958, 5, 973, 20}, "/button-min-normal.png", "/button-min-over.png", nullptr, 0},
    {MainButton::kClose, {979, 5, 994, 20}, kCloseButtonImage, kCloseButtonOverImage, nullptr, 0},
    {MainButton::kConfig, {18, 604, 90, 634}, "/button-config-normal.png", "/button-config-over.png",
     &MainStrings::config, 25},
    {MainButton::kReset, {798, 604, 855, 634}, "/button-cancel-normal.png", "/button-cancel-over.png",
     &MainStrings::reset, 0},
    {MainButton::kCancel, {860, 604, 917, 634}, "/button-cancel-normal.png", "/button-cancel-over.png",
     &MainStrings::cancel, 0},
    {MainButton::kSave, {923, 604, 980, 634}, "/button-save-normal.png", "/button-save-over.png",
     &MainStrings::save, 0},
}};

// The order in which a press is offered to the buttons.
constexpr std::array<MainButton, 7> kPressOrder{MainButton::kReset, MainButton::kCancel,   MainButton::kSave,
                                                MainButton::kHelp,  MainButton::kMinimise, MainButton::kClose,
                                                MainButton::kConfig};

constexpr std::array<HotSpot, kButtonCount> kTopHotSpots{{
    {{335, 100, 429, 162}, "/Mouse/Front/F-1-normal.png", "/Mouse/Front/F-1-over.png"},
    {{515, 100, 609, 162}, "/Mouse/Front/F-2-normal.png", "/Mouse/Front/F-2-over.png"},
    {{473, 176, 609, 201}, "/Mouse/Front/F-3-normal.png", "/Mouse/Front/F-3-over.png"},
    {{335, 163, 478, 188}, "/Mouse/Front/F-4-normal.png", "/Mouse/Front/F-4-over.png"},
    {{335, 189, 478, 214}, "/Mouse/Front/F-5-normal.png", "/Mouse/Front/F-5-over.png"},
    {{473, 250, 609, 275}, "/Mouse/Front/F-6-normal.png", "/Mouse/Front/F-6-over.png"},
    {{335, 227, 400, 252}, "/Mouse/Front/F-7-normal.png", "/Mouse/Front/F-7-over.png"},
    {{335, 262, 406, 287}, "/Mouse/Front/F-8-normal.png", "/Mouse/Front/F-8-over.png"},
}};

constexpr std::array<HotSpot, kButtonCount> kSideHotSpots{{
    {{323, 243, 385, 350}, "/Mouse/Side/S-1-normal.png", "/Mouse/Side/S-1-over.png"},
    {{331, 130, 393, 232}, "/Mouse/Side/S-2-normal.png", "/Mouse/Side/S-2-over.png"},
    {{414, 130, 439, 203}, "/Mouse/Side/S-3-normal.png", "/Mouse/Side/S-3-over.png"},
    {{403, 209, 428, 350}, "/Mouse/Side/S-4-normal.png", "/Mouse/Side/S-4-over.png"},
    {{429, 196, 454, 350}, "/Mouse/Side/S-5-normal.png", "/Mouse/Side/S-5-over.png"},
    {{493, 130, 518, 179}, "/Mouse/Side/S-6-normal.png", "/Mouse/Side/S-6-over.png"},
    {{463, 232, 488, 350}, "/Mouse/Side/S-7-normal.png", "/Mouse/Side/S-7-over.png"},
    {{508, 230, 533, 350}, "/Mouse/Side/S-8-normal.png", "/Mouse/Side/S-8-over.png"},
}};

constexpr std::array<HotSpot, 2> kBackHotSpots{{
    {{553, 225, 621, 250}, "/Mouse/Back/B-4-normal.png", "/Mouse/Back/B-4-over.png"},
    {{558, 264, 620, 289}, "/Mouse/Back/B-5-normal.png", "/Mouse/Back/B-5-over.png"},
}};

}  // namespace

const std::array<MainButtonInfo, 7>& MainButtons() { return kButtons; }

const MainButtonInfo& ButtonInfo(MainButton button) { return kButtons[static_cast<int>(button)]; }

std::optional<MainButton> MainButtonAt(int x, int y) {
  for (MainButton button : kPressOrder) {
    if (ButtonInfo(button).rect.Contains(x, y)) return button;
  }
  return std::nullopt;
}

const HotSpot& MouseHotSpot(int view, int button) {
  return (view == kTopView ? kTopHotSpots : kSideHotSpots)[button - 1];
}

const std::array<HotSpot, 2>& SideBackHotSpots() { return kBackHotSpots; }

MainClick ClassifyMainClick(const MainPageState& pages, int x, int y) {
  MainClick click;
  if (kWebAddressRect.Contains(x, y)) {
    click.kind = MainClick::Kind::kWebLink;
  } else if (const auto button = MainButtonAt(x, y)) {
    click.kind = MainClick::Kind::kButton;
    click.button = *button;
  } else if (kTopSwitchRect.Contains(x, y) || kSideSwitchRect.Contains(x, y)) {
    click.kind = MainClick::Kind::kViewSwitch;
    click.view = kTopSwitchRect.Contains(x, y) ? kTopView : kSideView;
  } else if (const auto section = pages.HeaderAt(x, y)) {
    click.kind = MainClick::Kind::kHeader;
    click.section = *section;
  } else if (pages.expanded(MainSection::kButtonAssignment)) {
    const int headerBottom = pages.LeftColumn().sections.front().contentTop();
    for (int k = 0; k < static_cast<int>(kButtonCount); ++k) {
      if (DropdownBoxRect(headerBottom, k).Contains(x, y)) {
        click.kind = MainClick::Kind::kButtonRow;
        click.row = k;
      }
    }
  }
  if (click.kind == MainClick::Kind::kDrag) {
    click.panel = PanelControlAt(pages, x, y);
    if (click.panel) click.kind = MainClick::Kind::kPanel;
  }
  return click;
}

}  // namespace korvane
