#include "config/value_rules.h"

#include <algorithm>

#include "config/config_validation.h"
#include "config/label_file.h"

namespace korvane {

CpiRange StageCpiRange() {
  const FieldRange& range = FieldRangeAt(kDpiStageOffset);
  return {StageCpi(range.low), StageCpi(range.high)};
}

StageColour StageColourOf(const MouseConfig& config, int stage) {
  const auto at = [&](int k) { return config.stageColor[static_cast<std::size_t>(3 * stage + k)]; };
  return {at(0), at(2), at(1)};
}

void StoreStageColour(MouseConfig& config, int stage, StageColour colour) {
  const auto at = [&](int k) -> Byte& { return config.stageColor[static_cast<std::size_t>(3 * stage + k)]; };
  at(0) = colour.red;
  at(1) = colour.blue;
  at(2) = colour.green;
}

int ReportRateHz(Byte code) {
  for (const ReportRate& rate : REPORT_RATES) {
    if (rate.code == code) return rate.hz;
  }
  return 0;
}

Byte ReportRateCode(long hz) {
  for (const ReportRate& rate : REPORT_RATES) {
    if (rate.hz == hz) return rate.code;
  }
  return 0;
}

std::string ProfileConfigName(int position) { return "config" + std::to_string(position) + ".bin"; }
std::string ProfileLabelName(int position) { return "str" + std::to_string(position) + ".ini"; }

std::vector<std::string> FactoryFileNames() {
  std::vector<std::string> names = {std::string(kFactoryConfigName), std::string(kProfileListName)};
  for (int position = 0; position < kMaxProfiles; ++position) {
    names.push_back(ProfileConfigName(position));
    names.push_back(ProfileLabelName(position));
  }
  return names;
}

bool IsProgramFileName(std::string_view name) {
  if (name == kMacroFileName || name == kEmulatedMouseFileName) return true;
  const std::vector<std::string> factory = FactoryFileNames();
  return std::ranges::find(factory, name) != factory.end();
}

std::string CompanionLabelPath(std::string_view configPath) {
  constexpr std::string_view kFrom = ".bin", kTo = ".ini";
  std::string text(configPath);
  for (std::size_t at = text.find(kFrom); at != std::string::npos; at = text.find(kFrom, at + kTo.size())) {
    text.replace(at, kFrom.size(), kTo);
  }
  return text;
}

}  // namespace korvane
