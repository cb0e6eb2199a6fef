#include "ui/main_page_layout.h"

#include "ui/text_layout.h"

namespace korvane {

namespace {

constexpr std::string_view kItemHeader = "/ItemBK.png";
constexpr std::string_view kAttributePanel = "/MouseAttribute/BK_MouseAttribute.png";

constexpr std::array<MainSectionInfo, kMainSectionCount> kSections{{
    {MainSection::kButtonAssignment, "button-assignment", 20, kItemHeader, "/ButtonAssignment/BK_ButtonAssignment.png"},
    {MainSection::kMacroManager, "macro-manager", 38, "/MacroManagementBK.png", ""},
    {MainSection::kXYSensitivity, "xy-sensitivity", 20, kItemHeader, "/XYSensitivity/BK_XYSensSetting.png"},
    {MainSection::kCpiSetting, "cpi", 20, kItemHeader, "/DPISetting/BK_DPISetting.png"},
    {MainSection::kLighting, "lighting", 20, kItemHeader, "/Lighting/BK_Lighting.png"},
    {MainSection::kUsbReportRate, "report-rate", 20, kItemHeader, "/USBReportRate/BK_USBReportRate.png"},
    {MainSection::kMouseSpeed, "mouse-speed", 20, kItemHeader, kAttributePanel},
    {MainSection::kDoubleClickSpeed, "double-click", 20, kItemHeader, kAttributePanel},
    {MainSection::kScrollSpeed, "scroll-speed", 20, kItemHeader, "/MouseAttribute/BK_ScrollSpeed.png"},
    {MainSection::kAngleSnap, "angle-snap", 20, kItemHeader, "/AngleSnap/BK_AngleSnap.png"},
}};

constexpr MainSection RightSection(int i) { return static_cast<MainSection>(kFirstRightSection + i); }
constexpr bool IsRight(MainSection section) { return static_cast<int>(section) >= kFirstRightSection; }

// Sections of page 2 start with "Mouse Speed", the fourth of the right column.
constexpr int kFirstPageTwoSection = 3;

}  // namespace

const MainSectionInfo& SectionInfo(MainSection section) { return kSections[static_cast<int>(section)]; }

std::optional<MainSection> SectionByKey(std::string_view key) {
  for (const MainSectionInfo& info : kSections) {
    if (info.key == key) return info.section;
  }
  return std::nullopt;
}

Rect ButtonNameRect(int headerBottom, int k) {
  // A full line of the text font about the middle of the row's box.
  return {31, headerBottom + 25 + 20 * k, 94, headerBottom + 46 + 20 * k};
}

Rect DropdownBoxRect(int headerBottom, int k) {
  return {98, headerBottom + 27 + 20 * k, 250, headerBottom + 43 + 20 * k};
}

Rect DropdownLabelRect(const Rect& box) {
  // Clear of the arrow at the box's right end; a full line of the text font about the box's middle.
  return LineAbout({box.left + 4, box.top, box.right - kDropdownArrowRoom, box.bottom}, kMainTextLine);
}

Rect SectionPlacement::HeaderRect() const {
  const bool right = IsRight(section);
  return {right ? kRightColumnLeft : kLeftColumnLeft, headerTop, right ? kRightColumnRight : kLeftColumnRight,
          headerTop + SectionInfo(section).headerHeight};
}

MainPageState::MainPageState(const ContentHeights& contentHeights) : contentHeights_(contentHeights) {
  Reset();
}

void MainPageState::Reset() {
  expanded_.fill(false);
  visible_.fill(true);
  rightColumnPage_ = 1;
  currentView_ = 2;
  LayOutRightColumn();
}

ColumnLayout MainPageState::LeftColumn() const {
  ColumnLayout column;
  int top = kLeftColumnTop;
  for (MainSection section :
       {MainSection::kButtonAssignment, MainSection::kMacroManager, MainSection::kXYSensitivity}) {
    const SectionPlacement placement{section, top, expanded(section)};
    column.sections.push_back(placement);
    top = placement.contentTop() + (placement.expanded ? contentHeight(section) : 0) + kSectionGap;
  }
  return column;
}

ColumnLayout MainPageState::LayOutRightColumn() {
  rightColumn_ = rightColumnPage_ == 1 ? LayOutPageOne() : LayOutPageTwo();
  for (int i = 0; i < kRightSectionCount; ++i) visible_[kFirstRightSection + i] = false;
  for (const SectionPlacement& placement : rightColumn_.sections) visible_[Index(placement.section)] = true;
  return rightColumn_;
}

ColumnLayout MainPageState::LayOutPageOne() {
  std::array<bool, kRightSectionCount> e{};
  for (int i = 0; i < kRightSectionCount; ++i) e[i] = expanded(RightSection(i));

  // Whether the column stops after drawing section i (0-based), keeping the page short enough to show.
  const auto stopsAfter = [&e](int i) {
    int n = 0;
    for (int j = 0; j <= i; ++j) n += e[j] ? 1 : 0;
    switch (i) {
      case 2: return e[0] && e[2];
      case 3: return n > 2 || (n == 2 && e[0] && (e[1] || e[3]));
      case 4: return n > 2 || (n == 2 && e[0] && (e[1] || e[4]));
      case 5: return n > 1 && !(n == 2 && !e[0] && !e[2]);
      default: return false;
    }
  };

  ColumnLayout column;
  int top = kRightColumnTop;
  for (int i = 0; i < kRightSectionCount; ++i) {
    const MainSection section = RightSection(i);
    const SectionPlacement placement{section, top, e[i]};
    column.sections.push_back(placement);
    top = placement.contentTop() + (e[i] ? contentHeight(section) : 0) + kSectionGap;
    if (i + 1 < kRightSectionCount && stopsAfter(i)) {
      column.stoppedEarly = true;
      break;
    }
  }
  return column;
}

ColumnLayout MainPageState::LayOutPageTwo() {
  ColumnLayout column;
  int top = kRightColumnTop;
  for (int i = kFirstPageTwoSection; i < kRightSectionCount; ++i) {
    const MainSection section = RightSection(i);
    const SectionPlacement placement{section, top, expanded(section)};
    column.sections.push_back(placement);
    top = placement.contentTop() + (placement.expanded ? contentHeight(section) : 0) + kSectionGap;
  }
  return column;
}

Redraw MainPageState::Toggle(MainSection section) {
  if (section == MainSection::kMacroManager) return Redraw::kNothing;
  if (!IsRight(section)) {
    expanded_[Index(section)] = !expanded_[Index(section)];
    return Redraw::kLeftColumn;
  }
  if (!visible(section)) return Redraw::kNothing;
  expanded_[Index(section)] = !expanded_[Index(section)];
  LayOutRightColumn();
  return Redraw::kRightColumn;
}

bool MainPageState::Pages() const {
  int open = 0;
  for (int i = 0; i < kRightSectionCount; ++i) open += expanded(RightSection(i)) ? 1 : 0;
  return open >= 2;
}

Redraw MainPageState::OnThumbMoved(int y) {
  if (!Pages()) return Redraw::kNothing;
  const int wantedPage = (kTrackBottom - kTrackTop) / 2 > y - kTrackTop ? 1 : 2;
  if (wantedPage == rightColumnPage_) return Redraw::kNothing;
  rightColumnPage_ = wantedPage;
  LayOutRightColumn();
  return Redraw::kRightColumn;
}

std::optional<int> MainPageState::ThumbTopForWheel(int x, int y, int delta) const {
  const Rect area{kRightColumnLeft, kRightColumnTop, kThumbLeft + kThumbWidth, kTrackBottom};
  if (delta == 0 || !area.Contains(x, y) || !Pages()) return std::nullopt;
  const int wantedPage = delta < 0 ? 2 : 1;
  if (wantedPage == rightColumnPage_) return std::nullopt;
  return wantedPage == 2 ? kTrackBottom - kThumbHeight : kTrackTop;
}

std::optional<MainSection> MainPageState::HeaderAt(int x, int y) const {
  for (const ColumnLayout& column : {LeftColumn(), rightColumn_}) {
    for (const SectionPlacement& placement : column.sections) {
      if (placement.HeaderRect().Contains(x, y)) return placement.section;
    }
  }
  return std::nullopt;
}

}  // namespace korvane
