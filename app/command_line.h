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
  std::vector<std::string> open;  // --open steps taken before the screenshot, in order
};

// The --open steps besides the section keys: the top view, the thumb at the bottom of its track, the help
// panel, button N's assignment list ("list1" to "list8"), and the windows drawn over the main window.
inline constexpr std::string_view kOpenTopView = "top";
inline constexpr std::string_view kOpenPage2 = "page2";
inline constexpr std::string_view kOpenHelp = "help";
inline constexpr std::string_view kOpenSingleKey = "single-key";
inline constexpr std::string_view kOpenComboKey = "combo-key";
inline constexpr std::string_view kOpenMacroKey = "macro-key";
inline constexpr std::string_view kOpenMacroManager = "macro-manager";
inline constexpr std::string_view kOpenRecording = "recording";  // the macro manager, recording
inline constexpr std::string_view kOpenProfileManager = "profile-manager";
inline constexpr std::string_view kOpenMessage = "message";  // a message box: Reset's question
// The button (0-7) of a "listN" step; -1 for any other step.
int OpenStepButton(std::string_view step);

inline constexpr std::string_view kUsage =
    "usage: korvane [--emulate] [--hidden] [--home DIR] [--screenshot FILE [--open SECTION...]]\n"
    "       korvane --help | --version\n"
    "--emulate     use the emulated mouse instead of the real one\n"
    "--hidden      start in the tray without showing the window (minimised where there is no tray)\n"
    "--home DIR    use DIR as the program folder (profiles, labels, macros, skin)\n"
    "--screenshot  write the main window to FILE (PNG) and exit; needs no display\n"
    "SECTION: button-assignment xy-sensitivity cpi lighting report-rate mouse-speed double-click\n"
    "         scroll-speed angle-snap, or top (top view) or page2 (thumb to the bottom), help,\n"
    "         list1 to list8 (a button's list), single-key combo-key macro-key macro-manager recording\n"
    "         profile-manager message\n";

// The parsed line, or the reason it was refused.
struct CommandLineResult {
  std::optional<CommandLine> line;
  std::string error;
};
CommandLineResult ParseCommandLine(const std::vector<std::string>& arguments);

}  // namespace korvane
