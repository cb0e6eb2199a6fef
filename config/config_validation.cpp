#include "config/config_validation.h"

#include <algorithm>
#include <cstdlib>

#include "config/value_rules.h"
#include "keys/button_catalogue.h"
#include "keys/key_tables.h"

namespace korvane {

namespace {

// One parameter byte that a kind of button function reads, with the values the program writes into it.
struct ButtonParameter {
  ButtonKind kind;
  int arg;                // the buttonArg array
  std::string_view part;  // named after the kind's token: "macro number", "combo-key first key"
  ByteValues values;
};

ByteValues Below(std::size_t count) {
  ByteValues values;
  for (std::size_t value = 0; value < count; ++value) values.set(value);
  return values;
}

// The key table's codes, and 0 for an empty place: "single-key none", a combo key without a key.
ByteValues KeyCodes() {
  ByteValues codes;
  codes.set(kNoKeyCode);
  for (const KeyNameCode& row : KEY_TABLE) codes.set(row.code);
  return codes;
}

// No modifier, or the one bit of a named modifier: the combo-key dialog offers one.
ByteValues ModifierBytes() {
  ByteValues bytes;
  bytes.set(0);
  for (const std::string_view name : MODIFIER_NAMES) bytes.set(ModifierNameToBit(name));
  return bytes;
}

std::vector<ButtonParameter> MakeButtonParameters() {
  std::vector<ButtonParameter> parameters;
  for (const ButtonKindInfo& info : BUTTON_KINDS) {
    if (info.subList.empty()) continue;
    ByteValues stored;
    for (const SubListItem& item : info.subList) stored.set(item.stored);
    parameters.push_back({info.kind, info.subListArg, "choice", stored});
  }
  const ByteValues keys = KeyCodes();
  parameters.push_back({ButtonKind::SingleKey, kSingleKeyArg, "key", keys});
  parameters.push_back({ButtonKind::ComboKey, kComboModifierArg, "modifier", ModifierBytes()});
  parameters.push_back({ButtonKind::ComboKey, kComboFirstKeyArg, "first key", keys});
  parameters.push_back({ButtonKind::ComboKey, kComboSecondKeyArg, "second key", keys});
  parameters.push_back({ButtonKind::MacroKey, kMacroNumberArg, "number", Below(kMacroCount)});
  parameters.push_back({ButtonKind::MacroKey, kMacroRepeatArg, "repeat mode", Below(kRepeatModeCount)});
  return parameters;
}

// Every parameter byte some kind reads; the bytes of the parameter arrays not listed for a button's kind
// mean nothing to it.
const std::vector<ButtonParameter>& ButtonParameters() {
  static const std::vector<ButtonParameter> parameters = MakeButtonParameters();
  return parameters;
}

}  // namespace

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

std::vector<FieldProblem> ValidateConfig(const MouseConfig& config) {
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
  for (std::size_t button = 0; button < kButtonCount; ++button) {
    for (const ButtonParameter& parameter : ButtonParameters()) {
      if (config.buttonKind[button] != static_cast<Byte>(parameter.kind)) continue;
      const std::size_t offset = kButtonArgOffset + kButtonCount * (parameter.arg - 1) + button;
      const Byte value = image[offset];
      if (parameter.values[value]) continue;
      problems.push_back({"button " + std::to_string(button + 1) + " " +
                              std::string(KindInfo(parameter.kind).token) + " " + std::string(parameter.part),
                          offset, std::nullopt, value, AllowedText(parameter.values)});
    }
  }
  std::ranges::sort(problems, {}, &FieldProblem::offset);
  return problems;
}

std::string DescribeProblems(std::span<const FieldProblem> problems) {
  std::string text;
  for (const FieldProblem& problem : problems) text += (text.empty() ? "" : ", ") + problem.Describe();
  return text;
}

}  // namespace korvane
