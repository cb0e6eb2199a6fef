#include "gui/tavik_app.h"

#include <QApplication>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "app/autostart.h"
#include "app/command_line.h"
#include "app/program_check.h"
#include "common/single_instance.h"
#include "gui/desktop_notifications.h"
#include "gui/screenshot.h"
#include "gui/tavik_dlg.h"
#include "device/emulated_mouse.h"
#include "system/desktop_pointer.h"

namespace korvane {

namespace {

bool HasDisplay() {
  const char* x11 = std::getenv("DISPLAY");
  const char* wayland = std::getenv("WAYLAND_DISPLAY");
  return (x11 != nullptr && x11[0] != '\0') || (wayland != nullptr && wayland[0] != '\0');
}

}  // namespace

int CTavikApp::Run(int argc, char** argv) {
  const CommandLineResult parsed = ParseCommandLine(std::vector<std::string>(argv + 1, argv + argc));
  if (!parsed.line) {
    std::fprintf(stderr, "korvane: %s\n%s", parsed.error.c_str(), std::string(kUsage).c_str());
    return 2;
  }
  const CommandLine& line = *parsed.line;
  if (line.help) {
    std::fputs(std::string(kUsage).c_str(), stdout);
    return 0;
  }
  ProgramFolder folder = line.home.empty() ? ProgramFolder::OfExecutable() : ProgramFolder(line.home);
  if (line.version) {
    std::printf("korvane %s\n%s", KORVANE_VERSION, folder.Describe().c_str());
    return 0;
  }
  const bool screenshot = !line.screenshot.empty();

  // A screenshot shows nothing on the screen, so it neither needs a display nor counts as an instance.
  SingleInstanceLock instance;
  if (!screenshot) {
    const auto outcome = instance.Acquire(SingleInstanceLock::DefaultFolder());
    if (outcome == SingleInstanceLock::Outcome::kAlreadyRunning) {
      // Where there is no tray icon to click, starting the program again is how its window comes back.
      // A hidden start (the desktop's autostart) leaves the running one as it is.
      if (!line.hidden) {
        QCoreApplication asker(argc, argv);
        AskRunningProgramToShow();
      }
      return 0;
    }
    if (outcome == SingleInstanceLock::Outcome::kFailed) {
      std::fprintf(stderr, "korvane: %s; starting anyway\n", instance.status().message().c_str());
    }
  }
  if (!HasDisplay() && std::getenv("QT_QPA_PLATFORM") == nullptr) {
    if (!screenshot) {
      std::fprintf(stderr,
                   "korvane: no display (DISPLAY and WAYLAND_DISPLAY are empty). Start it in a desktop session, "
                   "or render the window with --screenshot FILE.\n");
      return 1;
    }
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
  }

  // A folder without its profiles or skin would give a window that cannot be drawn or closed: refuse it.
  if (const Status seeded = folder.Seed(); !seeded) {
    std::fprintf(stderr, "korvane: %s\n", seeded.message().c_str());
    return 1;
  }
  if (const std::string missing = MissingProgramFiles(folder); !missing.empty()) {
    std::fprintf(stderr, "korvane: %s\n", missing.c_str());
    return 1;
  }

  QApplication application(argc, argv);
  QApplication::setQuitOnLastWindowClosed(false);

  std::unique_ptr<EmulatedMouse> emulated;
  std::unique_ptr<HidBackend> system;
  if (line.emulate) {
    emulated = std::make_unique<EmulatedMouse>();
    const Status kept = emulated->KeepMemoryIn(folder.File(EmulatedMouse::kMemoryFileName));
    if (!kept) std::fprintf(stderr, "korvane: %s\n", kept.message().c_str());
  } else {
    system = MakeSystemHidBackend();
  }
  HidBackend& backend = line.emulate ? emulated->backend() : *system;

  CTavikDlg window(std::move(folder), backend);
  if (screenshot) window.SetNoDialogs();
  window.SetEmulatedMouse(emulated.get());
  window.SetAutostart(Autostart::ForThisProgram(line.home));
  // The desktop's pointer settings follow every upload the mouse accepted.
  const std::unique_ptr<DesktopPointer> pointer = MakeDesktopPointer(DesktopKindOfThisSession());
  window.controller().setAfterUpload(
      [&pointer, &window](const MouseConfig& config) { ApplyPointerSettings(config, *pointer, window); });
  window.controller().Start();

  if (screenshot) {
    // A screenshot of a window that could not load what it shows would pass for a good one.
    if (window.messagesWithoutDialog()) return 1;
    if (!TakeScreenshot(window, line.open).save(QString::fromStdString(line.screenshot), "PNG")) {
      std::fprintf(stderr, "korvane: cannot write the screenshot %s\n", line.screenshot.c_str());
      return 1;
    }
    return 0;
  }
  // Hidden, the window waits in the tray; where there is none, HideWindow minimises it instead.
  if (line.hidden) {
    window.HideWindow();
  } else {
    window.show();
  }
  OfferShowService([&window] { window.controller().OnTrayRestore(); });
  return QApplication::exec();
}

}  // namespace korvane
