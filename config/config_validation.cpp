#include "config/config_validation.h"

#include <algorithm>

namespace korvane {

namespace {

constexpr std::array<Byte, 4> kReportIntervals = {1, 2, 4, 8};  // ms: 1000, 500, 250, 125 Hz

}  // namespace

// The sliders' positions run 1-5, with 6 at the very end of the track; the panels never write lightMode
// 0, but a file may hold it. buttonKind counts the fourteen button functions.
const std::array<FieldRange, 13> FIELD_RANGES = {{
    {"reportRate", kReportRateOffset, 1, 1, 8, kReportIntervals},
    {"dpiStage", kDpiStageOffset, 4, 2, 100, {}},  // 100-5000 CPI in units of 50
    {"lightMode", kLightModeOffset, 1, 0, 3, {}},
    {"lightBrightness", kLightBrightnessOffset, 1, 1, 6, {}},
    {"pulseSpeed", kPulseSpeedOffset, 1, 1, 6, {}},
    {"cycleSpeed", kCycleSpeedOffset, 1, 1, 6, {}},
    {"pointerSpeed", kPointerSpeedOffset, 1, 1, 11, {}},
    {"scrollLines", kScrollLinesOffset, 1, 1, 100, {}},
    {"doubleClickSpeed", kDoubleClickSpeedOffset, 1, 1, 11, {}},
    {"angleSnap", kAngleSnapOffset, 1, 1, 11, {}},
    {"sensitivityX", kSensitivityXOffset, 1, 1, 11, {}},
    {"sensitivityY", kSensitivityYOffset, 1, 1, 11, {}},
    {"buttonKind", kButtonKindOffset, kButtonCount, 0, 13, {}},
}};

bool FieldRange::Accepts(Byte value) const {
  if (value < low || value > high) return false;
  return only.empty() || std::ranges::find(only, value) != only.end();
}

std::string FieldRange::AllowedText() const {
  if (only.empty()) return std::to_string(low) + "-" + std::to_string(high);
  std::string text;
  for (const Byte value : only) text += (text.empty() ? "" : ", ") + std::to_string(value);
  return text;
}

std::string FieldProblem::Describe() const {
  std::string field(range->name);
  if (range->count > 1) field += "[" + std::to_string(entry) + "]";
  return field + " = " + std::to_string(value) + " (allowed: " + range->AllowedText() + ")";
}

std::vector<FieldProblem> ValidateConfig(const MouseConfig& config) {
  const MouseConfigImage image = config.ToBytes();
  std::vector<FieldProblem> problems;
  for (const FieldRange& range : FIELD_RANGES) {
    for (std::size_t entry = 0; entry < range.count; ++entry) {
      const Byte value = image[range.offset + entry];
      if (!range.Accepts(value)) problems.push_back({&range, entry, value});
    }
  }
  return problems;
}

std::string DescribeProblems(std::span<const FieldProblem> problems) {
  std::string text;
  for (const FieldProblem& problem : problems) text += (text.empty() ? "" : ", ") + problem.Describe();
  return text;
}

}  // namespace korvane
