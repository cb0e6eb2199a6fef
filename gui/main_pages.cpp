#include "gui/main_pages.h"

#include <QPainter>

#include "config/value_rules.h"
#include "gui/skin_painter.h"
#include "ui/panel_faces.h"
#include "ui/skin_inventory.h"
#include "ui/text_layout.h"

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

void MainPages::Text(const Rect& rect, std::string_view text, int flags) { Text(rect, text, flags, context_.textFont); }

void MainPages::Text(const Rect& rect, std::string_view text, int flags, const QFont& font) {
  // Every caption fits its rectangle: a long one is drawn smaller.
  const QFont fitting = FittingFont(font, text, rect.width());
  DrawSkinText(*context_.canvas, *context_.skin, rect, text, fitting, flags);
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
  DrawFooter();
  DrawMousePicture();
  DrawLeftColumn();
  DrawRightColumn();
  context_.moveThumb(kTrackTop);
}

void MainPages::DrawFooter() {
  if (context_.canvas->isNull()) return;
  DrawSkinImagePart(*context_.canvas, *context_.skin, kMainBackground, kFooterRect, 0, 0);
  const FooterTexts footer = context_.footer();
  Text(kFooterProfileRect, footer.profile, kLeftAligned);
  Text(kFooterSignRect, footer.sign, Qt::AlignRight | Qt::AlignVCenter);
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
  const std::string_view image = SectionInfo(placement.section).headerImage;
  Draw(image, rect.left, rect.top);
  // An open section's chevron points up.
  if (placement.expanded) {
    DrawSkinImagePart(*context_.canvas, *context_.skin, image, kHeaderChevronArea, rect.left, rect.top, true);
  }
  Text({rect.left + kHeaderTitleIndent, rect.top, rect.right, rect.bottom}, Title(placement.section),
       kLeftAligned);
}

void MainPages::DrawLeftColumn() {
  Draw(kLeftColumnImage, kLeftColumnLeft, kLeftColumnTop);
  Draw(kVersionImage, kVersionX, kLeftColumnTop + kVersionOffset);
  for (const SectionPlacement& placement : state_.LeftColumn().sections) {
    DrawHeader(placement);
    if (!placement.expanded) continue;
    DrawBody(placement.section, kLeftColumnLeft, placement.contentTop());
  }
}

void MainPages::DrawButtonAssignment(int headerBottom) {
  for (int k = 0; k < static_cast<int>(kButtonCount); ++k) {
    Text(ButtonNameRect(headerBottom, k), context_.strings->buttonTitle[k], kCentred);
    DrawDropdown(k, kDropdownNormal);
  }
}

void MainPages::DrawDropdown(int row, std::string_view image) {
  const int contentTop = ButtonAssignmentBottom();
  const Rect box = DropdownBoxRect(contentTop, row);
  // The section's background under the box first: descenders of the label drawn before reach below the box.
  const Rect below{box.left - kLeftColumnLeft, box.bottom - contentTop, box.right - kLeftColumnLeft,
                   DropdownLabelRect(box).bottom - contentTop};
  DrawSkinImagePart(*context_.canvas, *context_.skin, SectionInfo(MainSection::kButtonAssignment).contentImage, below,
                    kLeftColumnLeft, contentTop);
  Draw(image, box.left, box.top);
  // Smaller where a long label (a combo key, a macro's name) needs it.
  Text(DropdownLabelRect(box), (*context_.labels)[row], kCentred);
}

void MainPages::DrawRightColumn() {
  Draw(kRightColumnImage, kRightColumnLeft, kRightColumnTop);
  const ColumnLayout& column = state_.rightColumn();
  for (const SectionPlacement& placement : column.sections) {
    DrawHeader(placement);
    if (placement.expanded) DrawBody(placement.section, kRightColumnLeft, placement.contentTop());
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

void MainPages::DrawBody(MainSection section, int left, int top) {
  Draw(SectionInfo(section).contentImage, left, top);
  if (section == MainSection::kButtonAssignment) DrawButtonAssignment(top);
  DrawPanel(section, left, top);
}

void MainPages::RedrawPanels() {
  for (const PanelPlacement& panel : OpenPanels(state_)) DrawBody(panel.section, panel.left, panel.top);
}

void MainPages::DrawSlider(std::string_view family, const Rect& rect, int value, const std::vector<SliderTick>& ticks) {
  Draw(NumberedSkinImage(family, value), rect.left, rect.top);
  QFont small = context_.textFont;
  small.setPixelSize(std::max(9, context_.textFont.pixelSize() - 4));
  for (const SliderTick& tick : ticks) {
    Text(SliderTickCaption(rect, tick.centre), tick.text, kCentred, small);
  }
}

QFont MainPages::SharedFont(std::span<const std::string_view> texts, int width) const {
  // One size for texts that stand side by side: the one the longest needs.
  QFont font = context_.textFont;
  for (const std::string_view text : texts) font = FittingFont(font, text, width);
  return font;
}

void MainPages::DrawPanel(MainSection section, int left, int top) {
  const MouseConfig& config = *context_.config;
  const MainStrings& strings = *context_.strings;
  const auto rel = [&](const Rect& r) { return Rect{left + r.left, top + r.top, left + r.right, top + r.bottom}; };
  for (const PanelControl& control : PanelControls(section, left, top)) {
    const Rect& r = control.rect;
    const int k = control.index;
    switch (control.kind) {
      case PanelControl::Kind::kStageBar:
        Draw(NumberedSkinImage(kStageBarImages, config.dpiStage[k]), r.left, r.top);
        break;
      case PanelControl::Kind::kStageBox: Draw(kStageBoxImage, r.left, r.top); break;
      case PanelControl::Kind::kStageSwatch: {
        const StageColour colour = StageColourOf(config, k);
        QPainter painter(context_.canvas);
        painter.setPen(QColor(200, 200, 200));
        painter.setBrush(QColor(colour.red, colour.green, colour.blue));
        painter.drawRect(r.left, r.top, r.width() - 1, r.height() - 1);
        break;
      }
      case PanelControl::Kind::kSensitivitySlider:
        Text(LineAbout(rel(kSensitivityCaptions[k]), kMainTextLine), k == 0 ? strings.xAxis : strings.yAxis,
             kLeftAligned);
        DrawSlider(kSliderImages, r, k == 0 ? config.sensitivityX : config.sensitivityY, SensitivityTicks());
        break;
      case PanelControl::Kind::kLightSelector: {
        const std::array<std::string_view, 3> mode{strings.singleColor, strings.pulsating, strings.multiColor};
        Draw(config.lightMode == k + 1 ? kLightSelectorOnImage : kLightSelectorOffImage, r.left, r.top);
        const Rect text = LineAbout(LightModeCaption(r, left), kMainTextLine);
        Text(text, mode[k], kLeftAligned, SharedFont(mode, text.width()));
        break;
      }
      case PanelControl::Kind::kLightSlider:
        DrawSlider(kLightSliderImages, r, config.*LIGHT_LEVEL_FIELDS[static_cast<std::size_t>(k)], LightingTicks(k));
        break;
      case PanelControl::Kind::kReportDial:
        Draw(NumberedSkinImage(kReportDialImages, ShownReportRateHz(config.reportRate)), r.left, r.top);
        break;
      case PanelControl::Kind::kSpeedDial:
        Draw(NumberedSkinImage(kSpeedDialImages,
                               section == MainSection::kMouseSpeed ? config.pointerSpeed : config.doubleClickSpeed),
             r.left, r.top);
        Text(LineAbout(SpeedDialSlowCaption(r), kMainTextLine), strings.slow, kCentred);
        Text(LineAbout(SpeedDialFastCaption(r), kMainTextLine), strings.fast, kCentred);
        break;
      case PanelControl::Kind::kScrollChoice:
        Draw(config.scrollOneScreen == k ? kScrollChoiceOnImage : kScrollChoiceOffImage,
             r.left + kScrollChoiceBoxInset, r.top + kScrollChoiceBoxInset);
        Text({r.left + kScrollChoiceTextLeft, r.top, r.right, r.bottom},
             k == 0 ? strings.numberOfRows : strings.scrollOneScreen, kLeftAligned,
             SharedFont(std::array{strings.numberOfRows}, r.right - r.left - kScrollChoiceTextLeft));
        break;
      case PanelControl::Kind::kScrollBox:
        Draw(kScrollBoxImage, r.left - kScrollLinesTextArea.left,
             r.top - kScrollLinesTextArea.top);
        break;
      case PanelControl::Kind::kScrollArrow: break;  // drawn with the box's frame
      case PanelControl::Kind::kAngleSnapPicture:
        Draw(NumberedSkinImage(kAngleSnapImages, config.angleSnap), r.left, r.top);
        break;
      case PanelControl::Kind::kAngleSnapSlider:
        DrawSlider(kSliderImages, r, config.angleSnap, SensitivityTicks());
        break;
    }
  }
  if (section == MainSection::kCpiSetting) {
    const QFont font = SharedFont(std::array{strings.cpiDialDown, strings.cpiDialUp}, kCpiDownCaption.width());
    Text(LineAbout(rel(kCpiDownCaption), kMainTextLine), strings.cpiDialDown, kCentred, font);
    Text(LineAbout(rel(kCpiUpCaption), kMainTextLine), strings.cpiDialUp, kCentred, font);
  }
}

void MainPages::ShowChosenLabel(int row) { DrawDropdown(row, kDropdownChosen); }

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
