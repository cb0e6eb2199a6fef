#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "app/command_line.h"
#include "common/single_instance.h"
#include "config/program_folder.h"

namespace korvane {

// What the program's start depends on besides its files.
struct StartUpInputs {
  std::vector<std::string> arguments;  // without the program's name
  bool hasDisplay = false;             // SessionHasDisplay()
  bool platformChosen = false;         // QT_QPA_PLATFORM is set: the window has somewhere to go
  std::filesystem::path lockFolder;    // where the single-instance lock is taken
  std::string focusWatcher;            // FocusWatcherLineOfThisSession(), for --version

  // The inputs of this process.
  static StartUpInputs OfThisProcess(int argc, char** argv);
};

// Whether this session has a desktop to show a window on: on Linux DISPLAY or WAYLAND_DISPLAY is set and
// not empty; a Windows session always has one.
bool SessionHasDisplay();

// What to do at start, decided before any window exists.
struct StartUp {
  enum class Action {
    kExit,            // print, then end with exitCode
    kShowRunningOne,  // another instance runs: print, ask it to show its window, then end with exitCode
    kRun,             // print, then run the window (offscreen when told) on folder
  };
  Action action = Action::kExit;
  int exitCode = 0;
  std::string out;  // for standard output
  std::string err;  // for standard error
  std::optional<CommandLine> line;
  std::optional<ProgramFolder> folder;
  bool offscreen = false;  // a screenshot without a display: render offscreen
};

// The start-up checks in their order: the command line (2 when refused), --help and --version, one
// instance per user (taking `instance` unless a screenshot is asked for), a display, and a program folder
// that is seeded and holds what the windows need (1 when not). The lock stays with `instance`.
StartUp DecideStartUp(const StartUpInputs& inputs, SingleInstanceLock& instance);

}  // namespace korvane
