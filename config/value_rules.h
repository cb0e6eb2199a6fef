#pragma once

#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "config/mouse_config.h"

namespace korvane {

// What the bytes of the record mean in the units a user sees, and the names of the files that hold it.
// The ranges of the fields are in FIELD_RANGES (config/config_validation.h).

// dpiStage holds a stage's CPI in units of 50.
inline constexpr int kCpiPerUnit = 50;
constexpr int StageCpi(Byte level) { return level * kCpiPerUnit; }
// The level of a CPI that is a multiple of kCpiPerUnit within the stage range.
constexpr Byte StageLevel(int cpi) { return static_cast<Byte>(cpi / kCpiPerUnit); }
// The stages' range in CPI, from the range of dpiStage: 100-5000.
struct CpiRange {
  int low, high;
};
CpiRange StageCpiRange();

// A stage's colour; stageColor holds three bytes per stage in the order red, blue, green.
struct StageColour {
  Byte red, green, blue;
};
StageColour StageColourOf(const MouseConfig& config, int stage);  // stage 0-3
void StoreStageColour(MouseConfig& config, int stage, StageColour colour);

// reportRate is the report interval in milliseconds.
struct ReportRate {
  Byte code;
  int hz;
};
inline constexpr std::array<ReportRate, 4> REPORT_RATES = {{{1, 1000}, {2, 500}, {4, 250}, {8, 125}}};
inline constexpr std::array<Byte, REPORT_RATES.size()> REPORT_RATE_CODES = [] {
  std::array<Byte, REPORT_RATES.size()> codes{};
  for (std::size_t i = 0; i < codes.size(); ++i) codes[i] = REPORT_RATES[i].code;
  return codes;
}();
// The rate in Hz of a code; 0 for a code the mouse does not know.
int ReportRateHz(Byte code);
// The code of a rate in Hz; 0 for a rate the mouse does not have.
Byte ReportRateCode(long hz);

// lightMode 1-3 at index mode - 1: the names korvanectl gives the modes, and the level each mode reads
// (brightness, pulse period, cycle period).
inline constexpr std::array<std::string_view, 3> LIGHT_MODE_NAMES = {"single", "pulsating", "cycle"};
inline constexpr std::array<Byte MouseConfig::*, 3> LIGHT_LEVEL_FIELDS = {
    &MouseConfig::lightBrightness, &MouseConfig::pulseSpeed, &MouseConfig::cycleSpeed};

// The program folder's files.
inline constexpr std::string_view kFactoryConfigName = "config.bin";  // the factory settings
inline constexpr std::string_view kProfileListName = "str.ini";       // the profile list and skin settings
inline constexpr std::string_view kMacroFileName = "record.ini";
inline constexpr std::string_view kEmulatedMouseFileName = "emulated-mouse.bin";
// Profile position 0-5: configN.bin and its labels strN.ini.
std::string ProfileConfigName(int position);
std::string ProfileLabelName(int position);
// The factory files a program folder ships: config.bin, str.ini, then config0.bin, str0.ini … str5.ini.
std::vector<std::string> FactoryFileNames();
// Whether a file name is one of the files the program keeps in its folder.
bool IsProgramFileName(std::string_view name);
// The label file beside a chosen profile file: every ".bin" of the path becomes ".ini" (a folder named
// x.bin included), as the Windows program forms it; the stored pairs rely on this.
std::string CompanionLabelPath(std::string_view configPath);

}  // namespace korvane
