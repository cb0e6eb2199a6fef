#pragma once

#include <array>
#include <optional>
#include <string_view>
#include <vector>

#include "config/mouse_config.h"
#include "config/value_rules.h"
#include "ui/main_page_layout.h"
#include "ui/rect.h"

namespace korvane {

// The setting panels drawn in the sections' bodies: where each control sits, and what a press on it
// stores in the record. The controls hold no state: every paint reads the record, every press writes it.

// One control of an open panel. `index` tells stages (0-3), lighting rows (0-2), the X and Y sliders
// (0, 1), the scroll choices (0 lines, 1 one screen) and the scroll arrows (0 up, 1 down) apart.
struct PanelControl {
  enum class Kind {
    kStageBar,
    kStageBox,     // a number box: edited as text, not pressed
    kStageSwatch,  // opens the colour chooser
    kSensitivitySlider,
    kLightSelector,
    kLightSlider,
    kReportDial,
    kSpeedDial,  // the mouse-speed or double-click dial, by its section
    kScrollChoice,
    kScrollBox,  // a number box
    kScrollArrow,
    kAngleSnapPicture,
    kAngleSnapSlider,
  };
  Kind kind;
  int index = 0;
  Rect rect;
};

// The controls of a section whose body starts at (left, top), in the order presses test them. Sections
// without a panel have none.
std::vector<PanelControl> PanelControls(MainSection section, int left, int top);

// The control of the expanded sections of both columns under the point, with its section.
struct PanelHit {
  MainSection section;
  PanelControl control;
};
std::optional<PanelHit> PanelControlAt(const MainPageState& pages, int x, int y);
// Where each expanded section with a panel has its body now.
struct PanelPlacement {
  MainSection section;
  int left, top;
};
std::vector<PanelPlacement> OpenPanels(const MainPageState& pages);

// What a press on a control did.
enum class PanelEffect {
  kNothing,       // outside the control's active part (a dial's ring, an axis), or a text box
  kStored,        // the record changed; the panel is drawn again
  kChooseColour,  // a stage swatch: the caller asks for a colour and stores it with StoreStageColour
};
PanelEffect PressPanelControl(MainSection section, const PanelControl& control, int x, int y, MouseConfig& config);

// The value rules, for the panels and for their tests.
// A horizontal slider starting at x0: 1 left of the margin, then one more each pitch.
int SliderValue(int x, int x0, int margin, int pitch);
// A stage level bar pressed at y, the bar's bottom edge outside it: 1-100.
int StageBarValue(int y, int bottom);
// The rates of the report-rate dial's quadrants, counter-clockwise from the top right.
inline constexpr std::array<int, 4> kReportDialHz = {1000, 125, 250, 500};
// The report-rate dial pressed at an offset from its centre: the stored code, or nothing off the ring or
// on an axis.
std::optional<Byte> ReportRateAt(int dx, int dy);
// The speed dial pressed at an offset from its ring's centre: 2-11, or nothing off the upper half-ring.
std::optional<Byte> SpeedDialValue(int dx, int dy);
// The CPI a stage box holds after its text is taken (Enter, leaving the box, a paste): the nearest
// multiple of 50 from 100 to 5000 to the number its digits make, anything but digits ignored; text
// without a digit gives 100.
int CorrectedStageCpi(std::string_view text);
int NearestStageCpi(long cpi);
// Whether an edit from `before` to `after` put in more than one character at once: a paste, not a key.
bool InsertedAtOnce(std::string_view before, std::string_view after);
// The lines a scroll-lines box holds after its text is taken: 1-100, from its digits as for a stage box;
// text without a digit gives 1.
int CorrectedScrollLines(std::string_view text);

// The hertz the report-rate dial shows: a code other than 1, 2, 4 or 8 (a hand-edited file) shows 1000.
int ShownReportRateHz(Byte reportRate);

// The tick texts under the sliders, left to right, with the x of each tick's centre in the slider.
struct SliderTick {
  std::string_view text;
  int centre;
};
std::vector<SliderTick> SensitivityTicks();
std::vector<SliderTick> LightingTicks(int row);

}  // namespace korvane
