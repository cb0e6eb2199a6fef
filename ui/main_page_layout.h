#pragma once

#include <array>
#include <optional>
#include <string_view>
#include <vector>

#include "ui/rect.h"

namespace korvane {

// The ten collapsible sections of the main window: three in the left column, seven in the right.
enum class MainSection {
  kButtonAssignment,
  kMacroManager,
  kXYSensitivity,
  kCpiSetting,
  kLighting,
  kUsbReportRate,
  kMouseSpeed,
  kDoubleClickSpeed,
  kScrollSpeed,
  kAngleSnap,
};
inline constexpr int kMainSectionCount = 10;
inline constexpr int kFirstRightSection = 3;
inline constexpr int kRightSectionCount = 7;

struct MainSectionInfo {
  MainSection section;
  std::string_view key;  // name on the command line ("--open cpi")
  int headerHeight;
  std::string_view headerImage;
  std::string_view contentImage;  // empty: the section has no content (a click opens a dialog)
};
const MainSectionInfo& SectionInfo(MainSection section);
std::optional<MainSection> SectionByKey(std::string_view key);

// Column geometry.
inline constexpr int kLeftColumnLeft = 20;
inline constexpr int kLeftColumnRight = 262;
inline constexpr int kRightColumnLeft = 734;
inline constexpr int kRightColumnRight = 976;
inline constexpr int kLeftColumnTop = 107;   // the Button Assignment header
inline constexpr int kRightColumnTop = 32;   // the CPI Setting header, and the top of page 2
inline constexpr int kSectionGap = 5;
inline constexpr int kVersionOffset = 450;   // "/version.png" below the Button Assignment header top

// The scroll thumb and its track.
inline constexpr int kThumbLeft = 984;
inline constexpr int kThumbWidth = 7;
inline constexpr int kThumbHeight = 114;
inline constexpr int kTrackTop = 32;
inline constexpr int kTrackBottom = 595;

// Whether a thumb moved by a drag to newTop may stay there: its top must stay above 31 and its bottom
// below 596.
constexpr bool ThumbTopAllowed(int newTop) {
  return newTop > kTrackTop - 1 && newTop + kThumbHeight < kTrackBottom + 1;
}

// The eight rows of the Button Assignment section, k = 0..7, below the header bottom.
Rect ButtonNameRect(int headerBottom, int k);
Rect DropdownBoxRect(int headerBottom, int k);
// Where a drop-down box's label goes: left of its arrow.
Rect DropdownLabelRect(const Rect& box);
inline constexpr int kDropdownArrowRoom = 18;
// The height of a line of the main window's text font in every language.
inline constexpr int kMainTextLine = 22;

struct SectionPlacement {
  MainSection section;
  int headerTop;
  bool expanded;

  Rect HeaderRect() const;
  int contentTop() const { return HeaderRect().bottom; }
};

struct ColumnLayout {
  std::vector<SectionPlacement> sections;  // in drawing order
  bool stoppedEarly = false;               // the right column hid its remaining headers
};

// Which part of the window a change asks to be drawn again.
enum class Redraw { kNothing, kLeftColumn, kRightColumn };

// The section, page and view state of the main window, and the layout rules that place the headers.
// Content heights are the heights of the sections' content images (0 for a missing image).
class MainPageState {
 public:
  using ContentHeights = std::array<int, kMainSectionCount>;
  explicit MainPageState(const ContentHeights& contentHeights);

  // The state of a full repaint: all collapsed, page 1 with every right header visible, side view.
  void Reset();

  bool expanded(MainSection section) const { return expanded_[Index(section)]; }
  bool visible(MainSection section) const { return visible_[Index(section)]; }
  int rightColumnPage() const { return rightColumnPage_; }
  int currentView() const { return currentView_; }
  void setCurrentView(int view) { currentView_ = view; }
  int contentHeight(MainSection section) const { return contentHeights_[Index(section)]; }

  ColumnLayout LeftColumn() const;
  // Lays the right column out for the current page and updates the visible flags.
  ColumnLayout LayOutRightColumn();
  // The right column as last laid out.
  const ColumnLayout& rightColumn() const { return rightColumn_; }

  // A click on a header. The Macro Manager header never expands; a hidden right header does nothing.
  Redraw Toggle(MainSection section);
  // The scroll thumb moved to top y.
  Redraw OnThumbMoved(int y);
  // The wheel turned by delta (positive away from the user) at (x, y): over the right column or its
  // scroll bar, down shows page 2 and up page 1, as the thumb does at the bottom or the top of its track.
  // The thumb's new top, for OnThumbMoved; nothing where the wheel changes no page.
  std::optional<int> ThumbTopForWheel(int x, int y, int delta) const;

  // The header under the point, as the columns are drawn now.
  std::optional<MainSection> HeaderAt(int x, int y) const;

 private:
  static int Index(MainSection section) { return static_cast<int>(section); }
  // The column pages only with two or more of its sections open.
  bool Pages() const;
  ColumnLayout LayOutPageOne();
  ColumnLayout LayOutPageTwo();

  ContentHeights contentHeights_;
  std::array<bool, kMainSectionCount> expanded_{};
  std::array<bool, kMainSectionCount> visible_{};
  int rightColumnPage_ = 1;
  int currentView_ = 2;
  ColumnLayout rightColumn_;
};

}  // namespace korvane
