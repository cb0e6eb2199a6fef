#include "app/start_up.h"

#include <cstdlib>

#include "app/focus_watch.h"
#include "app/program_check.h"
#include "common/console.h"
#include "common/path_text.h"

namespace korvane {

namespace {

StartUp Exit(int exitCode, std::string err) {
  StartUp start;
  start.exitCode = exitCode;
  start.err = std::move(err);
  return start;
}

}  // namespace

StartUpInputs StartUpInputs::OfThisProcess(int argc, char** argv) {
  StartUpInputs inputs;
  inputs.arguments = StartConsoleProgram(argc, argv);
  inputs.hasDisplay = SessionHasDisplay();
  inputs.platformChosen = std::getenv("QT_QPA_PLATFORM") != nullptr;
  inputs.lockFolder = SingleInstanceLock::DefaultFolder();
  inputs.focusWatcher = FocusWatcherLineOfThisSession();
  return inputs;
}

StartUp DecideStartUp(const StartUpInputs& inputs, SingleInstanceLock& instance) {
  const CommandLineResult parsed = ParseCommandLine(inputs.arguments);
  if (!parsed.line) return Exit(2, "korvane: " + parsed.error + "\n" + std::string(kUsage));
  const CommandLine& line = *parsed.line;
  StartUp start;
  if (line.help) {
    start.out = kUsage;
    return start;
  }
  ProgramFolder folder = line.home.empty() ? ProgramFolder::OfExecutable() : ProgramFolder(PathFromUtf8(line.home));
  if (line.version) {
    start.out = std::string("korvane ") + KORVANE_VERSION + "\n" + folder.Describe();
    if (!inputs.focusWatcher.empty()) start.out += inputs.focusWatcher + "\n";
    return start;
  }
  const bool screenshot = !line.screenshot.empty();

  // A screenshot shows nothing on the screen, so it neither needs a display nor counts as an instance.
  if (!screenshot) {
    const auto outcome = instance.Acquire(inputs.lockFolder);
    if (outcome == SingleInstanceLock::Outcome::kAlreadyRunning) {
      // Where there is no tray icon to click, starting the program again is how its window comes back.
      // A hidden start (the desktop's autostart) leaves the running one as it is.
      if (!line.hidden) start.action = StartUp::Action::kShowRunningOne;
      return start;
    }
    if (outcome == SingleInstanceLock::Outcome::kFailed) {
      start.err = "korvane: " + instance.status().message() + "; starting anyway\n";
    }
  }
  if (!inputs.hasDisplay && !inputs.platformChosen) {
    if (!screenshot) {
      return Exit(1, start.err +
                         "korvane: no display (DISPLAY and WAYLAND_DISPLAY are empty). Start it in a desktop "
                         "session, or render the window with --screenshot FILE.\n");
    }
    start.offscreen = true;
  }

  // A folder without its profiles or skin would give a window that cannot be drawn or closed: refuse it.
  if (const Status seeded = folder.Seed(); !seeded) return Exit(1, start.err + "korvane: " + seeded.message() + "\n");
  if (const std::string missing = MissingProgramFiles(folder); !missing.empty()) {
    return Exit(1, start.err + "korvane: " + missing + "\n");
  }
  start.action = StartUp::Action::kRun;
  start.line = line;
  start.folder = std::move(folder);
  return start;
}

}  // namespace korvane
