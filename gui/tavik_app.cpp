#include "gui/tavik_app.h"

#include <QApplication>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>

#include "app/autostart.h"
#include "app/start_up.h"
#include "gui/focus_watchers.h"
#include "gui/program_service.h"
#include "gui/screenshot.h"
#include "gui/tavik_dlg.h"
#include "device/emulated_mouse.h"
#include "system/desktop_pointer.h"

namespace korvane {

int CTavikApp::Run(int argc, char** argv) {
  SingleInstanceLock instance;
  StartUp start = DecideStartUp(StartUpInputs::OfThisProcess(argc, argv), instance);
  std::fputs(start.err.c_str(), stderr);
  std::fputs(start.out.c_str(), stdout);
  if (start.action == StartUp::Action::kShowRunningOne) {
    QCoreApplication asker(argc, argv);
    AskRunningProgramToShow();
  }
  if (start.action != StartUp::Action::kRun) return start.exitCode;
  if (start.offscreen) qputenv("QT_QPA_PLATFORM", "offscreen");
  const CommandLine& line = *start.line;
  const bool screenshot = !line.screenshot.empty();

  QApplication application(argc, argv);
  QApplication::setQuitOnLastWindowClosed(false);

  std::unique_ptr<EmulatedMouse> emulated;
  std::unique_ptr<HidBackend> system;
  if (line.emulate) {
    emulated = std::make_unique<EmulatedMouse>();
    const Status kept = emulated->KeepMemoryIn(start.folder->File(EmulatedMouse::kMemoryFileName));
    if (!kept) std::fprintf(stderr, "korvane: %s\n", kept.message().c_str());
  } else {
    system = MakeSystemHidBackend();
  }
  HidBackend& backend = line.emulate ? emulated->backend() : *system;

  CTavikDlg window(std::move(*start.folder), backend);
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
  OfferProgramService(window.controller(), [&window] { window.controller().OnTrayRestore(); });
  // The profile of the focused application. The X11 watcher hands changes on itself; the KWin script and
  // the GNOME Shell extension call FocusChanged on the bus object offered above, so they start after it.
  const std::unique_ptr<FocusWatcher> focus = StartFocusWatcher(
      SessionEnvironmentOfThisProcess(),
      [&window](const std::string& appId, const std::string& title) {
        window.controller().OnFocusChanged(appId, title);
      },
      // The script comes with the program, wherever --home puts the user's files.
      ProgramFolder::OfExecutable().dataDir());
  std::fprintf(stderr, "korvane: %s\n", focus->Describe().c_str());
  return QApplication::exec();
}

}  // namespace korvane
