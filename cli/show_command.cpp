#include <iomanip>

#include "cli/commands.h"
#include "cli/json_writer.h"
#include "cli/profile_target.h"
#include "cli/record_text.h"

namespace korvane::cli {

namespace {

constexpr int kCpiUnit = 50;

void PrintText(std::ostream& out, const ProfileTarget& target, const LoadedProfile& profile) {
  const MouseConfig& c = profile.config;
  const auto row = [&](std::string_view name) -> std::ostream& {
    return out << std::left << std::setw(20) << (std::string(name) + ":");
  };
  row("Profile file") << target.configPath.string() << '\n';
  row("Report rate");
  if (const int hz = ReportRateHz(c.reportRate)) {
    out << hz << " Hz\n";
  } else {
    out << "unknown (code " << int{c.reportRate} << ")\n";
  }
  for (int stage = 0; stage < 4; ++stage) {
    row("CPI stage " + std::to_string(stage + 1))
        << c.dpiStage[stage] * kCpiUnit << " CPI, colour " << StageColorText(c, stage) << '\n';
  }
  row("Lighting") << LightModeName(c.lightMode);
  if (const std::string level = LightLevelText(c); !level.empty()) {
    out << (c.lightMode == 1 ? ", brightness " : ", period ") << level;
  }
  out << '\n';
  row("Angle snap") << int{c.angleSnap} << (c.angleSnap <= 1 || c.angleSnap >= 11 ? " (off)" : "") << '\n';
  row("Sensitivity X") << int{c.sensitivityX} << '\n';
  row("Sensitivity Y") << int{c.sensitivityY} << '\n';
  row("Pointer speed") << int{c.pointerSpeed} << '\n';
  row("Double-click speed") << int{c.doubleClickSpeed} << '\n';
  row("Scrolling");
  if (c.scrollOneScreen != 0) {
    out << "one screen per notch\n";
  } else {
    out << int{c.scrollLines} << " lines per notch\n";
  }
  row("Pointer precision") << (c.pointerPrecision == 1 ? "on" : "off") << '\n';
  for (int button = 0; button < static_cast<int>(kButtonCount); ++button) {
    row("Button " + std::to_string(button + 1))
        << ButtonFunctionText(c, button) << "  [" << profile.labels.buttonLabel[button] << "]\n";
  }
}

void PrintJson(std::ostream& out, const ProfileTarget& target, const LoadedProfile& profile) {
  const MouseConfig& c = profile.config;
  JsonWriter json(out);
  json.BeginObject();
  json.Value("file", target.configPath.string());
  json.Value("profileSlot", c.profileSlot);
  json.Value("reportRate", c.reportRate);
  json.Value("reportRateHz", ReportRateHz(c.reportRate));
  json.BeginArray("dpiStage");
  for (const Byte stage : c.dpiStage) json.Value(stage);
  json.EndArray();
  json.BeginArray("cpi");
  for (const Byte stage : c.dpiStage) json.Value(stage * kCpiUnit);
  json.EndArray();
  json.BeginArray("stageColor");
  for (int stage = 0; stage < 4; ++stage) json.Value({}, StageColorText(c, stage));
  json.EndArray();
  json.Value("lightMode", c.lightMode);
  json.Value("lightModeName", LightModeName(c.lightMode));
  json.Value("lightBrightness", c.lightBrightness);
  json.Value("pulseSpeed", c.pulseSpeed);
  json.Value("cycleSpeed", c.cycleSpeed);
  json.Value("pointerPrecision", c.pointerPrecision);
  json.Value("scrollOneScreen", c.scrollOneScreen);
  json.Value("pointerSpeed", c.pointerSpeed);
  json.Value("scrollLines", c.scrollLines);
  json.Value("doubleClickSpeed", c.doubleClickSpeed);
  json.Value("angleSnap", c.angleSnap);
  json.Value("sensitivityX", c.sensitivityX);
  json.Value("sensitivityY", c.sensitivityY);
  json.BeginArray("buttons");
  for (int button = 0; button < static_cast<int>(kButtonCount); ++button) {
    json.BeginObject();
    json.Value("button", button + 1);
    json.Value("buttonKind", c.buttonKind[button]);
    json.Value("function", ButtonFunctionText(c, button));
    json.Value("buttonLabel", profile.labels.buttonLabel[button]);
    json.EndObject();
  }
  json.EndArray();
  json.EndObject();
}

}  // namespace

Status ShowCommand(const Context& context, ArgReader& args) {
  ProfileTarget target;
  if (Status s = TakeProfileTarget(context, args, target); !s) return s;
  const bool json = args.TakeFlag("--json");
  if (Status s = args.RejectUnknownOptions(); !s) return s;
  if (!args.rest().empty()) return Status::Failure("show takes no further arguments");
  LoadedProfile profile;
  if (Status s = LoadProfile(target, profile); !s) return s;
  if (json) {
    PrintJson(context.out, target, profile);
  } else {
    PrintText(context.out, target, profile);
  }
  return Status::Ok();
}

}  // namespace korvane::cli
