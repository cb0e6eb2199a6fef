#include "cli/record_text.h"

#include <array>
#include <cstdio>

#include "keys/button_catalogue.h"
#include "keys/key_tables.h"

namespace korvane::cli {

namespace {

struct RateRow {
  Byte code;
  int hz;
};
constexpr std::array<RateRow, 4> kRates = {{{1, 1000}, {2, 500}, {4, 250}, {8, 125}}};

constexpr std::array<std::string_view, 4> kLightModes = {"", "single", "pulsating", "cycle"};
constexpr std::array<std::string_view, 5> kBrightnessMarks = {"0%", "25%", "50%", "75%", "100%"};
constexpr std::array<std::string_view, 5> kPulseMarks = {"4S", "5S", "6S", "7S", "8S"};
constexpr std::array<std::string_view, 5> kCycleMarks = {"3S", "6S", "9S", "12S", "15S"};

std::string Mark(const std::array<std::string_view, 5>& marks, Byte position) {
  // Positions 1-5 are the marks; the end of the track stores 6.
  if (position >= 1 && position <= marks.size()) return std::string(marks[position - 1]);
  return "position " + std::to_string(position);
}

std::string KeyName(Byte code) {
  if (code == kNoKeyCode) return "none";
  for (const KeyNameCode& row : KEY_TABLE) {
    if (row.code == code) return "\"" + std::string(row.name) + "\"";
  }
  char text[16];
  std::snprintf(text, sizeof text, "code 0x%02x", code);
  return text;
}

std::string ModifierNames(Byte bits) {
  std::string names;
  for (std::size_t bit = 0; bit < MODIFIER_NAMES.size(); ++bit) {
    if (bits & (1u << bit)) names += (names.empty() ? "\"" : "+\"") + std::string(MODIFIER_NAMES[bit]) + "\"";
  }
  return names.empty() ? "none" : names;
}

}  // namespace

int ReportRateHz(Byte code) {
  for (const RateRow& row : kRates) {
    if (row.code == code) return row.hz;
  }
  return 0;
}

Byte ReportRateCode(long hz) {
  for (const RateRow& row : kRates) {
    if (row.hz == hz) return row.code;
  }
  return 0;
}

std::string LightModeName(Byte mode) {
  if (mode >= 1 && mode < kLightModes.size()) return std::string(kLightModes[mode]);
  return "unknown (" + std::to_string(mode) + ")";
}

std::string LightLevelText(const MouseConfig& config) {
  switch (config.lightMode) {
    case 1: return Mark(kBrightnessMarks, config.lightBrightness);
    case 2: return Mark(kPulseMarks, config.pulseSpeed);
    case 3: return Mark(kCycleMarks, config.cycleSpeed);
    default: return "";
  }
}

std::string StageColorText(const MouseConfig& config, int stage) {
  // Stored red, blue, green.
  const Byte red = config.stageColor[3 * stage];
  const Byte blue = config.stageColor[3 * stage + 1];
  const Byte green = config.stageColor[3 * stage + 2];
  char text[8];
  std::snprintf(text, sizeof text, "#%02x%02x%02x", red, green, blue);
  return text;
}

std::string ButtonFunctionText(const MouseConfig& config, int button) {
  const Byte kind = config.buttonKind[button];
  if (kind >= kButtonKindCount) return "unknown (" + std::to_string(kind) + ")";
  const ButtonKindInfo& info = BUTTON_KINDS[kind];
  std::string text(info.token);
  const auto arg = [&](int k) { return config.Arg(k, button); };
  switch (info.kind) {
    case ButtonKind::SingleKey:
      return text + " " + KeyName(arg(kSingleKeyArg));
    case ButtonKind::ComboKey:
      return text + " " + ModifierNames(arg(kComboModifierArg)) + " " + KeyName(arg(kComboFirstKeyArg)) + " " +
             KeyName(arg(kComboSecondKeyArg));
    case ButtonKind::MacroKey:
      return text + " " + std::to_string(arg(kMacroNumberArg)) + " " + std::to_string(arg(kMacroRepeatArg));
    default:
      break;
  }
  if (info.subList.empty()) return text;
  const int k = info.subListArg;
  for (const SubListItem& item : info.subList) {
    if (item.stored == arg(k)) return text + " " + std::string(item.token);
  }
  return text + " (parameter " + std::to_string(arg(k)) + ")";
}

}  // namespace korvane::cli
