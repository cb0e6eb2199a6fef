#pragma once

#include <QFont>
#include <QImage>
#include <functional>
#include <optional>
#include <span>

#include "config/label_file.h"
#include "config/mouse_config.h"
#include "ui/main_page_layout.h"
#include "ui/main_window_geometry.h"
#include "ui/setting_panels.h"
#include "ui/skin_settings.h"
#include "text/strings.h"

namespace korvane {

// Draws the main window's pages onto its canvas: the full repaint, the two columns with their sections,
// the view switch, the mouse hot spots and the hover looks. Every method only draws; the window copies
// the canvas to the screen afterwards.
class MainPages {
 public:
  struct Context {
    QImage* canvas;
    const SkinSettings* skin;
    const MainStrings* strings;
    const ButtonLabels* labels;
    const MouseConfig* config;  // what the setting panels show
    QFont textFont;
    std::function<void(int top)> moveThumb;  // put the scroll thumb at this top
    std::function<FooterTexts()> footer;     // what the footer says now
  };
  explicit MainPages(Context context);

  MainPageState& state() { return state_; }
  const QFont& textFont() const { return context_.textFont; }
  const MainPageState& state() const { return state_; }

  // Collapses everything and draws the whole window.
  void Repaint();
  // The footer between Config and Reset, drawn again.
  void DrawFooter();
  void ToggleSection(MainSection section);
  void SwitchView(int view);
  void ScrollTo(int thumbTop);
  // Button n (1-8) "-over" on the mouse picture of the current view, the others "-normal".
  void HighlightButton(int button);
  // Button row 0-7's drop-down box with its label in the look of a box whose list just closed.
  void ShowChosenLabel(int row);
  // Where row 0-7's drop-down box is drawn now.
  Rect DropdownBox(int row) const;
  // The open sections' bodies drawn again from the record and the labels.
  void RedrawPanels();
  // The pointer moved to (x, y): hover looks of the buttons and drop-down boxes.
  void PointerMoved(int x, int y);

 private:
  bool Draw(std::string_view name, int x, int y);
  void Text(const Rect& rect, std::string_view text, int flags);
  void Text(const Rect& rect, std::string_view text, int flags, const QFont& font);
  void DrawButton(MainButton button, bool over);
  void DrawViewSwitch();
  void DrawMousePicture();
  void DrawHeader(const SectionPlacement& placement);
  void DrawLeftColumn();
  void DrawRightColumn();
  void DrawButtonAssignment(int headerBottom);
  void DrawDropdown(int row, std::string_view image);
  void DrawHotSpot(int button, bool over);
  // A section's body: its content image and, for a setting panel, its controls as the record has them.
  void DrawBody(MainSection section, int left, int top);
  void DrawPanel(MainSection section, int left, int top);
  QFont SharedFont(std::span<const std::string_view> texts, int width) const;
  void DrawSlider(std::string_view family, const Rect& rect, int value, const std::vector<SliderTick>& ticks);
  std::string_view Title(MainSection section) const;
  int ButtonAssignmentBottom() const;

  Context context_;
  MainPageState state_;
  std::optional<MainButton> hotButton_;
  std::optional<int> hotDropdown_;
};

}  // namespace korvane
