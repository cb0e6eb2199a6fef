#pragma once

#include <filesystem>
#include <memory>

#include "app/focus_watch.h"

namespace korvane {

// Starts the focus watcher this session gets (FocusWatcherKindFor) on the main thread's event loop. The X11
// watcher calls `changed` itself, from the event loop, for the window active at its start too. The KWin
// script and the GNOME Shell extension call FocusChanged on the program's own bus object instead, which is
// the one to hand the changes on from there: their watchers load the script, or check that the extension is
// enabled. The KWin script reports the window active when it is loaded: the program's bus object should be
// registered before. dataDir is the program's data folder, where the KWin script is (kwin/). Destroy the
// watcher while the event loop's application still exists (the KWin script is unloaded then). Windows does
// not follow the focus.
std::unique_ptr<FocusWatcher> StartFocusWatcher(const SessionEnvironment& session, FocusCallback changed,
                                                const std::filesystem::path& dataDir);

}  // namespace korvane
