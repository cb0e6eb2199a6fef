#include "app/command_line.h"

#include "ui/main_page_layout.h"

namespace korvane {

namespace {

bool IsOpenTarget(std::string_view key) {
  const auto section = SectionByKey(key);
  return (section && *section != MainSection::kMacroManager) || key == "top" || key == "page2";
}

}  // namespace

CommandLineResult ParseCommandLine(const std::vector<std::string>& arguments) {
  CommandLine line;
  bool openSeen = false;
  for (std::size_t i = 0; i < arguments.size(); ++i) {
    const std::string& argument = arguments[i];
    const bool hasValue = i + 1 < arguments.size();
    if (argument == "--emulate") {
      line.emulate = true;
    } else if (argument == "--home" || argument == "--screenshot") {
      if (!hasValue) return {std::nullopt, argument + " needs a value"};
      (argument == "--home" ? line.home : line.screenshot) = arguments[++i];
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
