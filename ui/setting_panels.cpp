#include "ui/setting_panels.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "config/config_validation.h"

namespace korvane {

namespace {

using Kind = PanelControl::Kind;

constexpr int kBodyWidth = kRightColumnRight - kRightColumnLeft;  // 242, both columns

// The sliders: the margin before value 2 and the pitch of each further value.
constexpr int kSensitivityMargin = 9, kSensitivityPitch = 21, kSensitivityWidth = 208;
constexpr int kLightingMargin = 4, kLightingPitch = 30, kLightingWidth = 128;

constexpr int kReportDialSize = 128;
constexpr int kReportRingInner = 35, kReportRingOuter = 64;
constexpr int kSpeedDialWidth = 142, kSpeedDialHeight = 83, kSpeedRingCentre = 71;
constexpr int kSpeedRingInner = 43, kSpeedRingOuter = 71;

Rect At(int left, int top, int x, int y, int width, int height) {
  return {left + x, top + y, left + x + width, top + y + height};
}

// Stage k's bar, box and swatch: the stages stand in two groups of two, 50 and 60 pixels apart.
constexpr int kStageOffset[4] = {41, 91, 151, 201};

// What a number box's text stands for: its digits in order, whatever else it holds ignored; nothing
// without a digit. A long run of digits stops just above the largest value a box takes.
std::optional<long> BoxNumber(std::string_view text) {
  const long bound = StageCpiRange().high + 1L;
  std::optional<long> value;
  for (const char c : text) {
    if (c >= '0' && c <= '9') value = std::min(value.value_or(0) * 10 + (c - '0'), bound);
  }
  return value;
}

double Degrees(double radians) { return radians * 180.0 / std::numbers::pi; }

}  // namespace

std::vector<PanelControl> PanelControls(MainSection section, int left, int top) {
  std::vector<PanelControl> controls;
  const auto add = [&](Kind kind, int index, Rect rect) { controls.push_back({kind, index, rect}); };
  switch (section) {
    case MainSection::kCpiSetting:
      for (int k = 0; k < 4; ++k) {
        add(Kind::kStageBar, k, At(left, top, kStageOffset[k], 38, 10, 113));
        add(Kind::kStageBox, k, At(left, top, kStageOffset[k] - 15, 168, 40, 16));
        add(Kind::kStageSwatch, k, At(left, top, kStageOffset[k], 203, 10, 10));
      }
      break;
    case MainSection::kXYSensitivity:
      add(Kind::kSensitivitySlider, 0, At(left, top, 17, 40, kSensitivityWidth, 9));
      add(Kind::kSensitivitySlider, 1, At(left, top, 17, 100, kSensitivityWidth, 9));
      break;
    case MainSection::kLighting:
      for (int k = 0; k < 3; ++k) {
        add(Kind::kLightSelector, k, At(left, top, 10, 20 + 29 * k, 10, 9));
        add(Kind::kLightSlider, k, At(left, top, 100, 20 + 29 * k, kLightingWidth, 8));
      }
      break;
    case MainSection::kUsbReportRate:
      add(Kind::kReportDial, 0, At(left, top, (kBodyWidth - kReportDialSize) / 2, 5, kReportDialSize, kReportDialSize));
      break;
    case MainSection::kMouseSpeed:
    case MainSection::kDoubleClickSpeed:
      add(Kind::kSpeedDial, 0, At(left, top, (kBodyWidth - kSpeedDialWidth) / 2, 20, kSpeedDialWidth, kSpeedDialHeight));
      break;
    case MainSection::kScrollSpeed:
      // The lines row: selector and text, then the box's frame with the box and its two arrows.
      add(Kind::kScrollChoice, 0, At(left, top, 10, 8, 150, 20));
      add(Kind::kScrollChoice, 1, At(left, top, 10, 46, 216, 20));
      add(Kind::kScrollBox, 0, At(left, top, 173, 11, 35, 14));
      add(Kind::kScrollArrow, 0, At(left, top, 212, 11, 10, 6));
      add(Kind::kScrollArrow, 1, At(left, top, 212, 19, 10, 6));
      break;
    case MainSection::kAngleSnap:
      add(Kind::kAngleSnapPicture, 0, At(left, top, 20, 10, 207, 85));
      add(Kind::kAngleSnapSlider, 0, At(left, top, 20, 106, kSensitivityWidth, 9));
      break;
    case MainSection::kButtonAssignment:
    case MainSection::kMacroManager:
      break;
  }
  return controls;
}

std::vector<PanelPlacement> OpenPanels(const MainPageState& pages) {
  std::vector<PanelPlacement> open;
  const auto collect = [&](const ColumnLayout& column, int left) {
    for (const SectionPlacement& placement : column.sections) {
      if (placement.expanded) open.push_back({placement.section, left, placement.contentTop()});
    }
  };
  collect(pages.LeftColumn(), kLeftColumnLeft);
  collect(pages.rightColumn(), kRightColumnLeft);
  return open;
}

std::optional<PanelHit> PanelControlAt(const MainPageState& pages, int x, int y) {
  for (const PanelPlacement& panel : OpenPanels(pages)) {
    for (const PanelControl& control : PanelControls(panel.section, panel.left, panel.top)) {
      if (control.rect.Contains(x, y)) return PanelHit{panel.section, control};
    }
  }
  return std::nullopt;
}

int SliderValue(int x, int x0, int margin, int pitch) {
  const int d = x - x0 - margin;
  return d < 0 ? 1 : d / pitch + 2;
}

int StageBarValue(int y, int bottom) {
  if (bottom - y < 3) return 1;
  return std::min(bottom - y - 1, int{FieldRangeAt(kDpiStageOffset).high});
}

std::optional<Byte> ReportRateAt(int dx, int dy) {
  const int squared = dx * dx + dy * dy;
  if (squared < kReportRingInner * kReportRingInner || squared > kReportRingOuter * kReportRingOuter) return std::nullopt;
  if (dx == 0 || dy == 0) return std::nullopt;
  // The quadrants counter-clockwise from the top right, as the dial's images show them.
  const std::size_t quadrant = dy < 0 ? (dx > 0 ? 0 : 1) : (dx < 0 ? 2 : 3);
  return ReportRateCode(kReportDialHz[quadrant]);
}

std::optional<Byte> SpeedDialValue(int dx, int dy) {
  const int squared = dx * dx + dy * dy;
  if (dy > 0 || squared < kSpeedRingInner * kSpeedRingInner || squared > kSpeedRingOuter * kSpeedRingOuter) {
    return std::nullopt;
  }
  // Degrees from the right-hand end of the half-ring, counter-clockwise.
  double t = 90.0;
  if (dx > 0) t = Degrees(std::atan2(std::abs(dy), dx));
  if (dx < 0) t = 90.0 + Degrees(std::atan2(-dx, std::abs(dy)));
  return static_cast<Byte>(std::min(11, static_cast<int>(std::floor(12.0 - t / 18.0))));
}

int CorrectedStageCpi(std::string_view text) { return NearestStageCpi(BoxNumber(text).value_or(0)); }

int NearestStageCpi(long value) {
  const CpiRange range = StageCpiRange();
  const long nearest =
      (std::clamp<long>(value, 0, range.high + kCpiPerUnit) + kCpiPerUnit / 2) / kCpiPerUnit * kCpiPerUnit;
  return static_cast<int>(std::clamp<long>(nearest, range.low, range.high));
}

bool InsertedAtOnce(std::string_view before, std::string_view after) {
  std::size_t prefix = 0;
  while (prefix < before.size() && prefix < after.size() && before[prefix] == after[prefix]) ++prefix;
  std::size_t suffix = 0;
  while (suffix < before.size() - prefix && suffix < after.size() - prefix &&
         before[before.size() - 1 - suffix] == after[after.size() - 1 - suffix]) {
    ++suffix;
  }
  return after.size() - prefix - suffix > 1;
}

int CorrectedScrollLines(std::string_view text) {
  const FieldRange& range = FieldRangeAt(kScrollLinesOffset);
  return static_cast<int>(std::clamp<long>(BoxNumber(text).value_or(0), range.low, range.high));
}

int ShownReportRateHz(Byte reportRate) {
  const int hz = ReportRateHz(reportRate);
  return hz != 0 ? hz : REPORT_RATES.front().hz;
}

PanelEffect PressPanelControl(MainSection section, const PanelControl& control, int x, int y, MouseConfig& config) {
  const Rect& r = control.rect;
  const auto store = [](Byte& field, int value) {
    field = static_cast<Byte>(value);
    return PanelEffect::kStored;
  };
  switch (control.kind) {
    case Kind::kStageBar: {
      // The bar's value goes through the box's rule: a bar at 1 (50 CPI) stores 2 (100 CPI).
      const int cpi = NearestStageCpi(StageCpi(static_cast<Byte>(StageBarValue(y, r.bottom))));
      return store(config.dpiStage[control.index], StageLevel(cpi));
    }
    case Kind::kStageSwatch: return PanelEffect::kChooseColour;
    case Kind::kSensitivitySlider:
      return store(control.index == 0 ? config.sensitivityX : config.sensitivityY,
                   SliderValue(x, r.left, kSensitivityMargin, kSensitivityPitch));
    case Kind::kAngleSnapSlider:
      return store(config.angleSnap, SliderValue(x, r.left, kSensitivityMargin, kSensitivityPitch));
    case Kind::kLightSelector: return store(config.lightMode, control.index + 1);
    case Kind::kLightSlider:
      return store(config.*LIGHT_LEVEL_FIELDS[static_cast<std::size_t>(control.index)],
                   SliderValue(x, r.left, kLightingMargin, kLightingPitch));
    case Kind::kReportDial: {
      const std::optional<Byte> rate = ReportRateAt(x - (r.left + r.width() / 2), y - (r.top + r.height() / 2));
      return rate ? store(config.reportRate, *rate) : PanelEffect::kNothing;
    }
    case Kind::kSpeedDial: {
      const std::optional<Byte> value = SpeedDialValue(x - r.left - kSpeedRingCentre, y - r.top - kSpeedRingCentre);
      if (!value) return PanelEffect::kNothing;
      return store(section == MainSection::kMouseSpeed ? config.pointerSpeed : config.doubleClickSpeed, *value);
    }
    case Kind::kScrollChoice: return store(config.scrollOneScreen, control.index);
    case Kind::kScrollArrow: {
      // The arrows belong to the box: they rest while one screen is chosen.
      if (config.scrollOneScreen != 0) return PanelEffect::kNothing;
      const FieldRange& range = FieldRangeAt(kScrollLinesOffset);
      const int lines = std::clamp<int>(config.scrollLines, range.low, range.high);
      return store(config.scrollLines,
                   control.index == 0 ? std::min(lines + 1, int{range.high}) : std::max(lines - 1, int{range.low}));
    }
    case Kind::kStageBox:
    case Kind::kScrollBox:
    case Kind::kAngleSnapPicture: return PanelEffect::kNothing;
  }
  return PanelEffect::kNothing;
}

std::vector<SliderTick> SensitivityTicks() {
  static constexpr std::string_view kTexts[] = {"1", "2", "3", "4", "5", "6", "7", "8", "9", "10"};
  std::vector<SliderTick> ticks;
  for (int i = 0; i < 10; ++i) ticks.push_back({kTexts[i], std::max(4, kSensitivityMargin - 5 + kSensitivityPitch * i)});
  return ticks;
}

std::vector<SliderTick> LightingTicks(int row) {
  static constexpr std::string_view kTexts[3][5] = {{"0%", "25%", "50%", "75%", "100%"},
                                                    {"4S", "5S", "6S", "7S", "8S"},
                                                    {"3S", "6S", "9S", "12S", "15S"}};
  std::vector<SliderTick> ticks;
  for (int i = 0; i < 5; ++i) ticks.push_back({kTexts[row][i], std::max(5, kLightingMargin - 5 + kLightingPitch * i)});
  return ticks;
}

}  // namespace korvane
