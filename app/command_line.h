#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace korvane {

// korvane [--emulate] [--hidden] [--home DIR] [--screenshot FILE [--open SECTION...]] | --help | --version
struct CommandLine {
  bool help = false;            // print the usage and exit 0
  bool version = false;         // print the version and exit 0
  bool emulate = false;         // talk to the in-process emulated mouse instead of hidraw
  bool hidden = false;          // start in the tray without showing the window
  std::string home;             // program folder; empty: the executable's folder
  std::string screenshot;       // write the main window's canvas to this PNG after start-up and exit
  std::vector<std::string> open;  // section keys toggled before the screenshot, in order
};

inline constexpr std::string_view kUsage =
    "usage: korvane [--emulate] [--hidden] [--home DIR] [--screenshot FILE [--open SECTION...]]\n"
    "       korvane --help | --version\n"
    "--emulate     use the emulated mouse instead of the real one\n"
    "--hidden      start in the tray without showing the window (minimised where there is no tray)\n"
    "--home DIR    use DIR as the program folder (profiles, labels, macros, skin)\n"
    "--screenshot  write the main window to FILE (PNG) and exit; needs no display\n"
    "SECTION: button-assignment xy-sensitivity cpi lighting report-rate mouse-speed double-click\n"
    "         scroll-speed angle-snap, or top (top view) or page2 (thumb to the bottom)\n";

// The parsed line, or the reason it was refused.
struct CommandLineResult {
  std::optional<CommandLine> line;
  std::string error;
};
CommandLineResult ParseCommandLine(const std::vector<std::string>& arguments);

}  // namespace korvane
