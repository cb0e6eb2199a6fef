#include "app/command_line.h"

#include "ui/main_page_layout.h"

namespace korvane {

namespace {

bool IsOpenTarget(std::string_view key) {
  // "macro-manager" opens the macro manager's window rather than toggling a section.
  if (const auto section = SectionByKey(key); section && *section != MainSection::kMacroManager) return true;
  for (const std::string_view step : {kOpenTopView, kOpenPage2, kOpenHelp, kOpenSingleKey, kOpenComboKey,
                                      kOpenMacroKey, kOpenMacroManager, kOpenRecording, kOpenProfileManager, kOpenMessage}) {
    if (key == step) return true;
  }
  return OpenStepButton(key) >= 0;
}

}  // namespace

int OpenStepButton(std::string_view step) {
  if (step.size() != 5 || !step.starts_with("list") || step[4] < '1' || step[4] > '8') return -1;
  return step[4] - '1';
}

CommandLineResult ParseCommandLine(const std::vector<std::string>& arguments) {
  CommandLine line;
  bool openSeen = false;
  for (std::size_t i = 0; i < arguments.size(); ++i) {
    const std::string& argument = arguments[i];
    const bool hasValue = i + 1 < arguments.size();
    if (argument == "--help" || argument == "-h") {
      line.help = true;
    } else if (argument == "--version") {
      line.version = true;
    } else if (argument == "--emulate") {
      line.emulate = true;
    } else if (argument == "--hidden") {
      line.hidden = true;
    } else if (argument == "--home" || argument == "--screenshot") {
      if (!hasValue) return {std::nullopt, argument + " needs a value"};
      const std::string& value = arguments[++i];
      if (value.empty()) return {std::nullopt, argument + " needs a value that is not empty"};
      (argument == "--home" ? line.home : line.screenshot) = value;
    } else if (argument == "--open") {
      openSeen = true;
      while (i + 1 < arguments.size() && arguments[i + 1].rfind("--", 0) != 0) {
        const std::string& key = arguments[++i];
        if (!IsOpenTarget(key)) return {std::nullopt, "unknown section \"" + key + "\""};
        line.open.push_back(key);
      }
    } else {
      return {std::nullopt, "unknown argument \"" + argument + "\""};
    }
  }
  if (openSeen && line.screenshot.empty()) return {std::nullopt, "--open needs --screenshot"};
  return {line, {}};
}

}  // namespace korvane
