#include <iomanip>

#include "cli/commands.h"
#include "cli/json_writer.h"
#include "cli/profile_target.h"
#include "cli/record_text.h"
#include "common/path_text.h"
#include "config/config_validation.h"
#include "config/value_rules.h"
#include "profile/record_validation.h"

namespace korvane::cli {

namespace {

// Marks the rows that show a field outside its range, each problem once.
class RangeMarks {
 public:
  explicit RangeMarks(const MouseConfig& config) : problems_(ValidateConfig(config)), shown_(problems_.size()) {}

  // "  <- out of range: …" for the problems among the bytes [offset, offset + count), or "".
  std::string For(std::size_t offset, std::size_t count = 1) {
    return Where([&](std::size_t at) { return at >= offset && at < offset + count; });
  }
  // The problems of button 0-7: its kind and its bytes of the parameter arrays.
  std::string ForButton(int button) {
    return Where([&](std::size_t at) {
      if (at == kButtonKindOffset + button) return true;
      return at >= kButtonArgOffset && at < kMacroDataOffset &&
             (at - kButtonArgOffset) % kButtonCount == static_cast<std::size_t>(button);
    });
  }
  // The problems no row has shown.
  std::string Rest() { return For(0, kMouseConfigSize); }

 private:
  template <typename Predicate>
  std::string Where(Predicate atOffset) {
    std::string text;
    for (std::size_t i = 0; i < problems_.size(); ++i) {
      if (shown_[i] || !atOffset(problems_[i].offset())) continue;
      shown_[i] = true;
      text += (text.empty() ? "  <- out of range: " : ", ") + problems_[i].Describe();
    }
    return text;
  }

  std::vector<FieldProblem> problems_;
  std::vector<bool> shown_;
};

void PrintText(std::ostream& out, const ProfileTarget& target, const LoadedProfile& profile) {
  const MouseConfig& c = profile.config;
  const auto row = [&](std::string_view name) -> std::ostream& {
    return out << std::left << std::setw(20) << (std::string(name) + ":");
  };
  RangeMarks marks(c);
  row("Profile file") << PathToUtf8(target.configPath) << '\n';
  row("Report rate");
  if (const int hz = ReportRateHz(c.reportRate)) {
    out << hz << " Hz";
  } else {
    out << "unknown (code " << int{c.reportRate} << ")";
  }
  out << marks.For(kReportRateOffset) << '\n';
  for (int stage = 0; stage < 4; ++stage) {
    row("CPI stage " + std::to_string(stage + 1)) << StageCpi(c.dpiStage[stage]) << " CPI";
    out << ", colour " << StageColorText(c, stage) << marks.For(kDpiStageOffset + stage) << '\n';
  }
  row("Lighting") << LightModeName(c.lightMode);
  if (const std::string level = LightLevelText(c); !level.empty()) {
    out << (c.lightMode == 1 ? ", brightness " : ", period ") << level;
  }
  // The mode and the levels of all three modes.
  out << marks.For(kLightModeOffset, kCycleSpeedOffset + 1 - kLightModeOffset) << '\n';
  const FieldRange& snap = FieldRangeAt(kAngleSnapOffset);
  row("Angle snap") << int{c.angleSnap} << (c.angleSnap <= snap.low || c.angleSnap >= snap.high ? " (off)" : "")
                    << marks.For(kAngleSnapOffset) << '\n';
  row("Sensitivity X") << int{c.sensitivityX} << marks.For(kSensitivityXOffset) << '\n';
  row("Sensitivity Y") << int{c.sensitivityY} << marks.For(kSensitivityYOffset) << '\n';
  row("Pointer speed") << int{c.pointerSpeed} << marks.For(kPointerSpeedOffset) << '\n';
  row("Double-click speed") << int{c.doubleClickSpeed} << marks.For(kDoubleClickSpeedOffset) << '\n';
  row("Scrolling");
  if (c.scrollOneScreen != 0) {
    out << "one screen per notch";
  } else {
    out << int{c.scrollLines} << " lines per notch";
  }
  out << marks.For(kScrollLinesOffset) << '\n';
  row("Pointer precision") << (c.pointerPrecision == 1 ? "on" : "off") << '\n';
  for (int button = 0; button < static_cast<int>(kButtonCount); ++button) {
    row("Button " + std::to_string(button + 1)) << ButtonFunctionText(c, button);
    out << "  [" << profile.labels.buttonLabel[button] << "]" << marks.ForButton(button) << '\n';
  }
  if (const std::string rest = marks.Rest(); !rest.empty()) row("Other fields") << rest.substr(2) << '\n';
}

void PrintJson(std::ostream& out, const ProfileTarget& target, const LoadedProfile& profile) {
  const MouseConfig& c = profile.config;
  JsonWriter json(out);
  json.BeginObject();
  json.Value("file", PathToUtf8(target.configPath));
  json.Value("profileSlot", c.profileSlot);
  json.Value("reportRate", c.reportRate);
  json.Value("reportRateHz", ReportRateHz(c.reportRate));
  json.BeginArray("dpiStage");
  for (const Byte stage : c.dpiStage) json.Value(stage);
  json.EndArray();
  json.BeginArray("cpi");
  for (const Byte stage : c.dpiStage) json.Value(StageCpi(stage));
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
  json.BeginArray("outOfRange");
  for (const FieldProblem& problem : ValidateConfig(c)) {
    json.BeginObject();
    json.Value("field", problem.field);
    if (problem.entry) json.Value("entry", static_cast<long>(*problem.entry));
    json.Value("value", problem.value);
    json.Value("allowed", problem.allowed);
    json.Value("offset", static_cast<long>(problem.offset()));  // in the record's image
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
  if (Status s = LoadProfile(context, target, profile); !s) return s;
  if (json) {
    PrintJson(context.out, target, profile);
  } else {
    PrintText(context.out, target, profile);
  }
  return Status::Ok();
}

}  // namespace korvane::cli
