#include <algorithm>
#include <array>

#include "cli/commands.h"
#include "cli/profile_target.h"
#include "cli/button_words.h"
#include "cli/record_text.h"
#include "config/config_validation.h"
#include "config/ini_file.h"
#include "config/value_rules.h"
#include "keys/button_catalogue.h"
#include "macro/macro_section.h"

namespace korvane::cli {

namespace {

// Settings that take one position number, in the range of their field.
struct NumberSetting {
  std::string_view name;
  Byte MouseConfig::*field;
  std::size_t offset;
};
constexpr std::array<NumberSetting, 5> kNumberSettings = {{
    {"angle-snap", &MouseConfig::angleSnap, kAngleSnapOffset},
    {"sensitivity-x", &MouseConfig::sensitivityX, kSensitivityXOffset},
    {"sensitivity-y", &MouseConfig::sensitivityY, kSensitivityYOffset},
    {"pointer-speed", &MouseConfig::pointerSpeed, kPointerSpeedOffset},
    {"double-click", &MouseConfig::doubleClickSpeed, kDoubleClickSpeedOffset},
}};

// "low-high" of a field's range.
std::string RangeText(std::size_t offset) {
  const FieldRange& range = FieldRangeAt(offset);
  return std::to_string(range.low) + "-" + std::to_string(range.high);
}

// The lighting levels: the positions of the three level fields, which share one range.
const FieldRange& LightLevelRange() { return FieldRangeAt(kLightBrightnessOffset); }

// "single|pulsating|cycle" with the separator given, the last one `last`: "single, pulsating or cycle".
std::string LightModeWords(std::string_view separator, std::string_view last) {
  std::string words;
  for (std::size_t i = 0; i < LIGHT_MODE_NAMES.size(); ++i) {
    if (i > 0) words += i + 1 == LIGHT_MODE_NAMES.size() ? last : separator;
    words += LIGHT_MODE_NAMES[i];
  }
  return words;
}

// The rates in Hz, slowest first, with the separator given, the last one `last`: "125, 250, 500 or 1000".
std::string ReportRateWords(std::string_view separator, std::string_view last) {
  std::string words;
  for (std::size_t i = REPORT_RATES.size(); i-- > 0;) {
    if (i + 1 < REPORT_RATES.size()) words += i == 0 ? last : separator;
    words += std::to_string(REPORT_RATES[i].hz);
  }
  return words;
}

Status Expect(const Args& words, std::size_t count, std::string_view usage) {
  if (words.size() != count) return Status::Failure("usage: set " + std::string(usage));
  return Status::Ok();
}

Status SetCpi(const Args& w, LoadedProfile& p) {
  const CpiRange range = StageCpiRange();
  const std::string unit = std::to_string(kCpiPerUnit);
  if (Status s = Expect(w, 3, "cpi STAGE(1-4) CPI(" + std::to_string(range.low) + "-" + std::to_string(range.high) +
                                  ", a multiple of " + unit + ")");
      !s) {
    return s;
  }
  long stage = 0, cpi = 0;
  if (Status s = ParseNumber(w[1], 1, 4, "stage", stage); !s) return s;
  if (Status s = ParseNumber(w[2], range.low, range.high, "CPI", cpi); !s) return s;
  if (cpi % kCpiPerUnit != 0) return Status::Failure("CPI must be a multiple of " + unit + ", not " + w[2]);
  p.config.dpiStage[stage - 1] = StageLevel(static_cast<int>(cpi));
  return Status::Ok();
}

Status SetColor(const Args& w, LoadedProfile& p) {
  if (Status s = Expect(w, 3, "color STAGE(1-4) #rrggbb"); !s) return s;
  long stage = 0;
  if (Status s = ParseNumber(w[1], 1, 4, "stage", stage); !s) return s;
  const std::optional<StageColour> colour = ParseStageColorText(w[2]);
  if (!colour) return Status::Failure("a colour is written #rrggbb, not " + w[2]);
  StoreStageColour(p.config, static_cast<int>(stage - 1), *colour);
  return Status::Ok();
}

Status SetReportRate(const Args& w, LoadedProfile& p) {
  if (Status s = Expect(w, 2, "report-rate " + ReportRateWords("|", "|")); !s) return s;
  long hz = 0;
  if (Status s = ParseNumber(w[1], REPORT_RATES.back().hz, REPORT_RATES.front().hz, "report rate", hz); !s) return s;
  const Byte code = ReportRateCode(hz);
  if (code == 0) return Status::Failure("the report rate is " + ReportRateWords(", ", " or ") + ", not " + w[1]);
  p.config.reportRate = code;
  return Status::Ok();
}

Status SetLighting(const Args& w, LoadedProfile& p) {
  const FieldRange& levels = LightLevelRange();
  if (w.size() != 2 && w.size() != 3) {
    return Status::Failure("usage: set lighting " + LightModeWords("|", "|") + " [LEVEL(" +
                           RangeText(kLightBrightnessOffset) + ")]");
  }
  const auto mode = std::ranges::find(LIGHT_MODE_NAMES, w[1]);
  if (mode == LIGHT_MODE_NAMES.end()) {
    return Status::Failure("the lighting mode is " + LightModeWords(", ", " or ") + ", not " + w[1]);
  }
  const auto index = static_cast<std::size_t>(mode - LIGHT_MODE_NAMES.begin());
  p.config.lightMode = static_cast<Byte>(index + 1);
  if (w.size() == 3) {
    long level = 0;
    if (Status s = ParseNumber(w[2], levels.low, levels.high, "lighting level", level); !s) return s;
    p.config.*LIGHT_LEVEL_FIELDS[index] = static_cast<Byte>(level);
  }
  return Status::Ok();
}

Status SetScroll(const Args& w, LoadedProfile& p) {
  if (w.size() == 2 && w[1] == "screen") {
    p.config.scrollOneScreen = 1;
    return Status::Ok();
  }
  if (w.size() != 3 || w[1] != "lines") {
    return Status::Failure("usage: set scroll lines N(" + RangeText(kScrollLinesOffset) + ") | set scroll screen");
  }
  const FieldRange& range = FieldRangeAt(kScrollLinesOffset);
  long lines = 0;
  if (Status s = ParseNumber(w[2], range.low, range.high, "scroll lines", lines); !s) return s;
  p.config.scrollOneScreen = 0;
  p.config.scrollLines = static_cast<Byte>(lines);
  return Status::Ok();
}

Status SetPointerPrecision(const Args& w, LoadedProfile& p) {
  if (Status s = Expect(w, 2, "pointer-precision on|off"); !s) return s;
  if (w[1] != "on" && w[1] != "off") return Status::Failure("pointer-precision is on or off, not " + w[1]);
  p.config.pointerPrecision = w[1] == "on" ? 1 : 0;
  return Status::Ok();
}

Status SetButton(const Context& context, const ProfileTarget& target, const Args& w, LoadedProfile& p) {
  if (w.size() < 3) return Status::Failure("usage: set button N(1-8) KIND [PARAMETERS...]");
  long button = 0;
  if (Status s = ParseNumber(w[1], 1, kButtonCount, "button", button); !s) return s;
  const int index = static_cast<int>(button - 1);
  ButtonChoice choice;
  if (Status s = ParseButtonChoice(std::span<const std::string>(w).subspan(2), choice); !s) return s;
  if (choice.kind != ButtonKind::Click && LeftButtonLocked(p.config, index)) {
    return Status::Failure(std::string(LeftButtonWarningText("")));
  }
  if (choice.kind == ButtonKind::MacroKey) {
    const std::vector<std::string> names = MacroNames(IniFile(context.folder.File(kMacroFileName)).Load());
    if (choice.macroNumber >= static_cast<int>(names.size())) {
      return Status::Failure("there is no macro " + std::to_string(choice.macroNumber) + " in record.ini (" +
                             std::to_string(names.size()) + " macros)");
    }
    choice.macroName = names[choice.macroNumber];
  }
  const std::optional<std::string> label = ApplyButtonChoice(p.config, index, choice, target.languageCode);
  if (!label) return CheckButtonChoice(choice);
  p.labels.buttonLabel[index] = *label;
  if (choice.kind == ButtonKind::MacroKey && p.config.macroData[choice.macroNumber] == DevicePage{}) {
    context.err << "korvanectl: note: macro " << choice.macroNumber << " (" << choice.macroName
                << ") is empty in this profile's macro pages, so the button would play nothing; "
                   "'korvanectl macros --store' puts record.ini's macros into the profile\n";
  }
  return Status::Ok();
}

Status Apply(const Context& context, const ProfileTarget& target, const Args& w, LoadedProfile& p) {
  const std::string& name = w[0];
  for (const NumberSetting& setting : kNumberSettings) {
    if (name != setting.name) continue;
    if (Status s = Expect(w, 2, std::string(setting.name) + " N"); !s) return s;
    const FieldRange& range = FieldRangeAt(setting.offset);
    long value = 0;
    if (Status s = ParseNumber(w[1], range.low, range.high, setting.name, value); !s) return s;
    p.config.*setting.field = static_cast<Byte>(value);
    return Status::Ok();
  }
  if (name == "cpi") return SetCpi(w, p);
  if (name == "color") return SetColor(w, p);
  if (name == "report-rate") return SetReportRate(w, p);
  if (name == "lighting") return SetLighting(w, p);
  if (name == "scroll") return SetScroll(w, p);
  if (name == "pointer-precision") return SetPointerPrecision(w, p);
  if (name == "button") return SetButton(context, target, w, p);
  return Status::Failure("unknown setting '" + name + "' (see korvanectl set --help)");
}

}  // namespace

std::string SetSettingsHelp() {
  const CpiRange cpi = StageCpiRange();
  const FieldRange& snap = FieldRangeAt(kAngleSnapOffset);
  return "settings:\n"
         "  cpi STAGE CPI                 stage 1-4, " + std::to_string(cpi.low) + "-" + std::to_string(cpi.high) +
         " CPI in steps of " + std::to_string(kCpiPerUnit) + "\n"
         "  color STAGE #rrggbb           colour of stage 1-4\n"
         "  report-rate HZ                " + ReportRateWords(", ", " or ") + "\n"
         "  lighting MODE [LEVEL]         " + LightModeWords(", ", " or ") + "; level " +
         RangeText(kLightBrightnessOffset) + " (brightness or period)\n"
         "  angle-snap N                  " + RangeText(kAngleSnapOffset) + " (" + std::to_string(snap.low) + " and " +
         std::to_string(snap.high) + ": off)\n"
         "  sensitivity-x N, sensitivity-y N   " + RangeText(kSensitivityXOffset) + "\n"
         "  pointer-speed N               " + RangeText(kPointerSpeedOffset) + "\n"
         "  double-click N                " + RangeText(kDoubleClickSpeedOffset) + "\n"
         "  scroll lines N | scroll screen    lines per notch (" + RangeText(kScrollLinesOffset) + ") or one screen\n"
         "  pointer-precision on|off\n"
         "  button N KIND [PARAMETERS]    button 1-8, e.g. 'button 4 single-key A',\n"
         "                                'button 2 combo-key \"Left Ctrl\" A B', 'button 6 cpi loop',\n"
         "                                'button 7 macro 0 2'; 'none' leaves a key place empty;\n"
         "                                'korvanectl keys' lists the names\n";
}

Status SetCommand(const Context& context, ArgReader& args) {
  ProfileTarget target;
  if (Status s = TakeProfileTarget(context, args, target); !s) return s;
  if (Status s = args.RejectUnknownOptions(); !s) return s;
  if (args.rest().empty()) return Status::Failure("set needs a setting and its value (see korvanectl set --help)");
  FolderLock lock;
  if (Status s = LockProfileFolder(target, lock); !s) return s;
  LoadedProfile profile;
  if (Status s = LoadProfile(context, target, profile); !s) return s;
  if (Status s = Apply(context, target, args.rest(), profile); !s) return s;
  return SaveProfile(context, target, profile);
}

}  // namespace korvane::cli
