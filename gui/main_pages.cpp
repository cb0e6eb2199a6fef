#include "gui/main_pages.h"

#include "gui/skin_painter.h"

namespace korvane {

namespace {

constexpr int kCentred = Qt::AlignCenter;
constexpr int kLeftAligned = Qt::AlignLeft | Qt::AlignVCenter;

// Section titles in section order.
constexpr std::array<std::string_view MainStrings::*, kMainSectionCount> kTitles{
    &MainStrings::buttonAssignment, &MainStrings::macroManager, &MainStrings::xySensitivitySetting,
    &MainStrings::cpiSetting,       &MainStrings::lighting,     &MainStrings::usbReportRate,
    &MainStrings::mouseSpeed,       &MainStrings::doubleClickSpeed, &MainStrings::scrollSpeed,
    &MainStrings::angleSnap};

MainPageState::ContentHeights ReadContentHeights(const SkinSettings& skin) {
  MainPageState::ContentHeights heights{};
  for (int i = 0; i < kMainSectionCount; ++i) {
    const std::string_view image = SectionInfo(static_cast<MainSection>(i)).contentImage;
    heights[i] = image.empty() ? 0 : SkinImageSize(skin, image).height();
  }
  return heights;
}

}  // namespace

MainPages::MainPages(Context context)
    : context_(std::move(context)), state_(ReadContentHeights(*context_.skin)) {}

bool MainPages::Draw(std::string_view name, int x, int y) {
  return DrawSkinImage(*context_.canvas, *context_.skin, name, x, y);
}

void MainPages::Text(const Rect& rect, std::string_view text, int flags) {
  DrawSkinText(*context_.canvas, *context_.skin, rect, text, context_.textFont, flags);
}

std::string_view MainPages::Title(MainSection section) const {
  return context_.strings->*kTitles[static_cast<int>(section)];
}

int MainPages::ButtonAssignmentBottom() const { return state_.LeftColumn().sections.front().contentTop(); }

void MainPages::Repaint() {
  if (context_.canvas->isNull()) return;
  state_.Reset();
  hotButton_.reset();
  hotDropdown_.reset();
  Draw(kMainBackground, 0, 0);
  Draw(kLogoImage, kLogoX, kLogoY);
  Draw(kTrackImage, kThumbLeft, kTrackTop);
  for (const MainButtonInfo& info : MainButtons()) DrawButton(info.button, false);
  Text(kWebAddressRect, context_.strings->webAddress, kLeftAligned);
  DrawMousePicture();
  DrawLeftColumn();
  DrawRightColumn();
  context_.moveThumb(kTrackTop);
}

void MainPages::DrawButton(MainButton button, bool over) {
  const MainButtonInfo& info = ButtonInfo(button);
  Draw(over ? info.overImage : info.normalImage, info.rect.left, info.rect.top);
  if (info.caption == nullptr) return;
  Rect textRect = info.rect;
  textRect.left += info.captionIndent;
  Text(textRect, context_.strings->*info.caption, info.captionIndent > 0 ? kLeftAligned : kCentred);
}

void MainPages::DrawViewSwitch() {
  const bool top = state_.currentView() == kTopView;
  Draw(top ? kViewSwitchShown : kViewSwitchNormal, kTopSwitchRect.left, kTopSwitchRect.top);
  Draw(top ? kViewSwitchNormal : kViewSwitchShown, kSideSwitchRect.left, kSideSwitchRect.top);
  Text(kTopSwitchRect, context_.strings->top, kCentred);
  Text(kSideSwitchRect, context_.strings->side, kCentred);
}

void MainPages::DrawMousePicture() {
  Draw(kMiddleImage, kMouseArea.left, kMouseArea.top);
  if (state_.currentView() == kTopView) {
    Draw(kTopPicture, kTopPictureX, kTopPictureY);
  } else {
    Draw(kSidePicture, kSidePictureX, kSidePictureY);
  }
  DrawViewSwitch();
}

void MainPages::SwitchView(int view) {
  state_.setCurrentView(view);
  DrawMousePicture();
}

void MainPages::DrawHeader(const SectionPlacement& placement) {
  const Rect rect = placement.HeaderRect();
  Draw(SectionInfo(placement.section).headerImage, rect.left, rect.top);
  Text({rect.left + kHeaderTitleIndent, rect.top, rect.right, rect.bottom}, Title(placement.section),
       kLeftAligned);
}

void MainPages::DrawLeftColumn() {
  Draw(kLeftColumnImage, kLeftColumnLeft, kLeftColumnTop);
  Draw(kVersionImage, kVersionX, kLeftColumnTop + kVersionOffset);
  for (const SectionPlacement& placement : state_.LeftColumn().sections) {
    DrawHeader(placement);
    if (!placement.expanded) continue;
    Draw(SectionInfo(placement.section).contentImage, kLeftColumnLeft, placement.contentTop());
    if (placement.section == MainSection::kButtonAssignment) DrawButtonAssignment(placement.contentTop());
  }
}

void MainPages::DrawButtonAssignment(int headerBottom) {
  for (int k = 0; k < static_cast<int>(kButtonCount); ++k) {
    Text(ButtonNameRect(headerBottom, k), context_.strings->buttonTitle[k], kCentred);
    DrawDropdown(k, kDropdownNormal);
  }
}

void MainPages::DrawDropdown(int row, std::string_view image) {
  const Rect box = DropdownBoxRect(ButtonAssignmentBottom(), row);
  Draw(image, box.left, box.top);
  // Left of the box's arrow, smaller where a long label (a combo key, a macro's name) needs it.
  const Rect text{box.left + 2, box.top, box.right - 14, box.bottom};
  const std::string& label = (*context_.labels)[row];
  DrawSkinText(*context_.canvas, *context_.skin, text, label, FittingFont(context_.textFont, label, text.width()),
               kCentred);
}

void MainPages::DrawRightColumn() {
  Draw(kRightColumnImage, kRightColumnLeft, kRightColumnTop);
  const ColumnLayout& column = state_.rightColumn();
  for (const SectionPlacement& placement : column.sections) {
    DrawHeader(placement);
    if (placement.expanded) {
      Draw(SectionInfo(placement.section).contentImage, kRightColumnLeft, placement.contentTop());
    }
  }
  if (column.stoppedEarly) context_.moveThumb(kTrackTop);
}

void MainPages::ToggleSection(MainSection section) {
  switch (state_.Toggle(section)) {
    case Redraw::kLeftColumn:
      hotDropdown_.reset();
      DrawLeftColumn();
      break;
    case Redraw::kRightColumn:
      DrawRightColumn();
      break;
    case Redraw::kNothing:
      break;
  }
}

void MainPages::ScrollTo(int thumbTop) {
  if (state_.OnThumbMoved(thumbTop) == Redraw::kRightColumn) DrawRightColumn();
}

void MainPages::DrawHotSpot(int button, bool over) {
  const HotSpot& spot = MouseHotSpot(state_.currentView(), button);
  Draw(over ? spot.overImage : spot.normalImage, spot.rect.left, spot.rect.top);
}

void MainPages::ShowChosenLabel(int row) { DrawDropdown(row, "/ButtonAssignment/DropdownBox-leave.png"); }

Rect MainPages::DropdownBox(int row) const { return DropdownBoxRect(ButtonAssignmentBottom(), row); }

void MainPages::HighlightButton(int button) {
  for (int n = 1; n <= static_cast<int>(kButtonCount); ++n) DrawHotSpot(n, n == button);
  if (state_.currentView() != kSideView) return;
  const auto& back = SideBackHotSpots();
  for (int i = 0; i < 2; ++i) {
    Draw(button == 4 + i ? back[i].overImage : back[i].normalImage, back[i].rect.left, back[i].rect.top);
  }
}

void MainPages::PointerMoved(int x, int y) {
  const std::optional<MainButton> button = MainButtonAt(x, y);
  if (button != hotButton_) {
    if (hotButton_) DrawButton(*hotButton_, false);
    if (button) DrawButton(*button, true);
    hotButton_ = button;
  }

  std::optional<int> dropdown;
  if (state_.expanded(MainSection::kButtonAssignment)) {
    for (int k = 0; k < static_cast<int>(kButtonCount); ++k) {
      if (DropdownBoxRect(ButtonAssignmentBottom(), k).Contains(x, y)) dropdown = k;
    }
  }
  if (dropdown == hotDropdown_) return;
  if (hotDropdown_) {
    DrawDropdown(*hotDropdown_, kDropdownNormal);
    if (!dropdown) DrawHotSpot(*hotDropdown_ + 1, false);
  }
  if (dropdown) DrawDropdown(*dropdown, kDropdownOver);
  hotDropdown_ = dropdown;
}

}  // namespace korvane
