#include "config/factory_profile.h"

#include <string>

#include "config/config_file.h"
#include "config/ini_file.h"
#include "config/label_file.h"
#include "config/value_rules.h"

namespace korvane {

namespace {

constexpr int kFactoryReportRateHz = 1000;
constexpr std::array<int, 4> kFactoryStagesCpi = {800, 1600, 2400, 3200};

constexpr std::array<StageColour, 4> kFactoryStageColors = {{{255, 0, 0}, {0, 255, 0}, {0, 0, 255}, {255, 255, 0}}};

struct FactoryButton {
  Byte kind;
  int argArray;  // parameter array the kind reads, 0 for none
  Byte arg;
};
// Left click, right click, middle button, wheel up, wheel down, CPI loop, forward, back.
constexpr std::array<FactoryButton, kButtonCount> kFactoryButtons = {{
    {0, 0, 0}, {1, 0, 0}, {2, 1, 1}, {2, 1, 2}, {2, 1, 3}, {6, 2, 3}, {3, 0, 0}, {4, 0, 0}}};

constexpr std::string_view kFactoryProfileName = "PROFILE_0";
constexpr std::string_view kFactoryTextGrey = "220";

}  // namespace

MouseConfig FactoryConfig() {
  MouseConfig config;
  config.reportRate = ReportRateCode(kFactoryReportRateHz);
  for (std::size_t stage = 0; stage < kFactoryStagesCpi.size(); ++stage) {
    config.dpiStage[stage] = StageLevel(kFactoryStagesCpi[stage]);
    StoreStageColour(config, static_cast<int>(stage), kFactoryStageColors[stage]);
  }
  config.lightMode = 1;
  config.lightBrightness = 5;
  config.pulseSpeed = 3;
  config.cycleSpeed = 3;
  config.pointerPrecision = 1;
  config.scrollOneScreen = 0;
  config.scrollLines = 3;
  config.pointerSpeed = 6;
  config.doubleClickSpeed = 6;
  config.angleSnap = 1;
  config.sensitivityX = 5;
  config.sensitivityY = 5;
  for (std::size_t i = 0; i < kButtonCount; ++i) {
    config.buttonKind[i] = kFactoryButtons[i].kind;
    if (kFactoryButtons[i].argArray != 0) config.Arg(kFactoryButtons[i].argArray, i) = kFactoryButtons[i].arg;
  }
  return config;
}

Status WriteFactoryFiles(const ProgramFolder& folder) {
  const MouseConfig factory = FactoryConfig();
  constexpr Byte kFirstRun = 0;  // never written by the program

  IniDocument labels;
  labels.Set("Skins", "Lan", "");
  labels.Set("Skins", "Path", "Default");
  labels.Set("Skins", "RColor", kFactoryTextGrey);
  labels.Set("Skins", "GColor", kFactoryTextGrey);
  labels.Set("Skins", "BColor", kFactoryTextGrey);
  const ButtonLabels defaults = DefaultLabels("");
  for (std::size_t i = 0; i < kButtonCount; ++i) {
    labels.Set(LabelSectionName(""), ItemKey(i + 1), defaults[i]);
  }
  IniDocument list;
  list.Set("Profile", "ItemCount", "1");
  list.Set("Profile", "Item0", kFactoryProfileName);
  list.Set("Profile", "CurProfileName", kFactoryProfileName);
  for (const std::string& section : labels.SectionNames()) {
    for (const auto& [key, value] : labels.Entries(section)) list.Set(section, key, value);
  }

  if (Status s = WriteConfigFile(folder.File(kFactoryConfigName), factory, kFirstRun); !s) return s;
  if (Status s = IniFile(folder.File(kProfileListName)).Save(list); !s) return s;
  for (int i = 0; i < kMaxProfiles; ++i) {
    if (Status s = WriteConfigFile(folder.File(ProfileConfigName(i)), factory, kFirstRun); !s) return s;
    if (Status s = IniFile(folder.File(ProfileLabelName(i))).Save(labels); !s) return s;
  }
  return Status::Ok();
}

}  // namespace korvane
