#include "config/config_validation.h"

#include <algorithm>
#include <cstdlib>

#include "config/button_kind.h"
#include "config/value_rules.h"

namespace korvane {

// The sliders' positions run 1-5, with 6 at the very end of the track; the panels never write lightMode
// 0, but a file may hold it. buttonKind counts the fourteen button functions.
const std::array<FieldRange, 13> FIELD_RANGES = {{
    {"reportRate", kReportRateOffset, 1, 1, 8, REPORT_RATE_CODES},
    {"dpiStage", kDpiStageOffset, 4, 2, 100, {}},  // in units of kCpiPerUnit
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
    {"buttonKind", kButtonKindOffset, kButtonCount, 0, kButtonKindCount - 1, {}},
}};

const FieldRange& FieldRangeAt(std::size_t offset) {
  const auto row = std::ranges::find(FIELD_RANGES, offset, &FieldRange::offset);
  if (row == FIELD_RANGES.end()) std::abort();  // asked for a field the table does not hold
  return *row;
}

std::string AllowedText(const ByteValues& values) {
  std::string text;
  for (std::size_t low = 0; low < values.size(); ++low) {
    if (!values[low]) continue;
    std::size_t high = low;
    while (high + 1 < values.size() && values[high + 1]) ++high;
    text += (text.empty() ? "" : ", ") + std::to_string(low);
    // A pair is listed value by value: the loop comes to its second value next.
    if (high - low >= 2) {
      text += "-" + std::to_string(high);
      low = high;
    }
  }
  return text;
}

ByteValues FieldRange::Values() const {
  ByteValues values;
  for (unsigned value = low; value <= high; ++value) {
    if (only.empty() || std::ranges::find(only, Byte(value)) != only.end()) values.set(value);
  }
  return values;
}

std::string FieldProblem::Describe() const {
  const std::string index = entry ? "[" + std::to_string(*entry) + "]" : "";
  return field + index + " = " + std::to_string(value) + " (allowed: " + allowed + ")";
}

std::vector<FieldProblem> ValidateSettingsFields(const MouseConfig& config) {
  const MouseConfigImage image = config.ToBytes();
  std::vector<FieldProblem> problems;
  for (const FieldRange& range : FIELD_RANGES) {
    const ByteValues values = range.Values();
    for (std::size_t entry = 0; entry < range.count; ++entry) {
      const Byte value = image[range.offset + entry];
      if (values[value]) continue;
      problems.push_back({std::string(range.name), range.offset,
                          range.count > 1 ? std::optional(entry) : std::nullopt, value, AllowedText(values)});
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
