#include <algorithm>
#include <array>
#include <cctype>
#include <cstdlib>

#include "cli/commands.h"
#include "cli/profile_target.h"
#include "cli/button_words.h"
#include "cli/record_text.h"
#include "config/ini_file.h"
#include "keys/button_catalogue.h"
#include "macro/macro_section.h"

namespace korvane::cli {

namespace {

// Settings that take one position number.
struct NumberSetting {
  std::string_view name;
  Byte MouseConfig::*field;
  long low, high;
};
constexpr std::array<NumberSetting, 5> kNumberSettings = {{
    {"angle-snap", &MouseConfig::angleSnap, 1, 11},
    {"sensitivity-x", &MouseConfig::sensitivityX, 1, 11},
    {"sensitivity-y", &MouseConfig::sensitivityY, 1, 11},
    {"pointer-speed", &MouseConfig::pointerSpeed, 1, 11},
    {"double-click", &MouseConfig::doubleClickSpeed, 1, 11},
}};

constexpr long kCpiMin = 100, kCpiMax = 5000, kCpiStep = 50;

Status Expect(const Args& words, std::size_t count, std::string_view usage) {
  if (words.size() != count) return Status::Failure("usage: set " + std::string(usage));
  return Status::Ok();
}

Status SetCpi(const Args& w, LoadedProfile& p) {
  if (Status s = Expect(w, 3, "cpi STAGE(1-4) CPI(100-5000, a multiple of 50)"); !s) return s;
  long stage = 0, cpi = 0;
  if (Status s = ParseNumber(w[1], 1, 4, "stage", stage); !s) return s;
  if (Status s = ParseNumber(w[2], kCpiMin, kCpiMax, "CPI", cpi); !s) return s;
  if (cpi % kCpiStep != 0) return Status::Failure("CPI must be a multiple of 50, not " + w[2]);
  p.config.dpiStage[stage - 1] = static_cast<Byte>(cpi / kCpiStep);
  return Status::Ok();
}

Status SetColor(const Args& w, LoadedProfile& p) {
  if (Status s = Expect(w, 3, "color STAGE(1-4) #rrggbb"); !s) return s;
  long stage = 0;
  if (Status s = ParseNumber(w[1], 1, 4, "stage", stage); !s) return s;
  const std::string& text = w[2];
  const auto hex = [](char c) { return std::isxdigit(static_cast<unsigned char>(c)) != 0; };
  if (text.size() != 7 || text[0] != '#' || !std::all_of(text.begin() + 1, text.end(), hex)) {
    return Status::Failure("a colour is written #rrggbb, not " + text);
  }
  const auto channel = [&](int at) { return static_cast<Byte>(std::strtol(text.substr(at, 2).c_str(), nullptr, 16)); };
  // Stored red, blue, green.
  p.config.stageColor[3 * (stage - 1)] = channel(1);
  p.config.stageColor[3 * (stage - 1) + 1] = channel(5);
  p.config.stageColor[3 * (stage - 1) + 2] = channel(3);
  return Status::Ok();
}

Status SetReportRate(const Args& w, LoadedProfile& p) {
  if (Status s = Expect(w, 2, "report-rate 125|250|500|1000"); !s) return s;
  long hz = 0;
  if (Status s = ParseNumber(w[1], 125, 1000, "report rate", hz); !s) return s;
  const Byte code = ReportRateCode(hz);
  if (code == 0) return Status::Failure("the report rate is 125, 250, 500 or 1000, not " + w[1]);
  p.config.reportRate = code;
  return Status::Ok();
}

Status SetLighting(const Args& w, LoadedProfile& p) {
  constexpr std::string_view usage = "lighting single|pulsating|cycle [LEVEL(1-5)]";
  if (w.size() != 2 && w.size() != 3) return Status::Failure("usage: set " + std::string(usage));
  Byte mode = 0;
  for (Byte m = 1; m <= 3; ++m) {
    if (w[1] == LightModeName(m)) mode = m;
  }
  if (mode == 0) return Status::Failure("the lighting mode is single, pulsating or cycle, not " + w[1]);
  p.config.lightMode = mode;
  if (w.size() == 3) {
    long level = 0;
    if (Status s = ParseNumber(w[2], 1, 5, "lighting level", level); !s) return s;
    Byte& field = mode == 1 ? p.config.lightBrightness : mode == 2 ? p.config.pulseSpeed : p.config.cycleSpeed;
    field = static_cast<Byte>(level);
  }
  return Status::Ok();
}

Status SetScroll(const Args& w, LoadedProfile& p) {
  if (w.size() == 2 && w[1] == "screen") {
    p.config.scrollOneScreen = 1;
    return Status::Ok();
  }
  if (w.size() != 3 || w[1] != "lines") return Status::Failure("usage: set scroll lines N(1-100) | set scroll screen");
  long lines = 0;
  if (Status s = ParseNumber(w[2], 1, 100, "scroll lines", lines); !s) return s;
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
    const std::vector<std::string> names = MacroNames(IniFile(context.folder.File("record.ini")).Load());
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
    long value = 0;
    if (Status s = ParseNumber(w[1], setting.low, setting.high, setting.name, value); !s) return s;
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
