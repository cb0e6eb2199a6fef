#include "app/focus_watch.h"

namespace korvane {

std::string FocusWatcherLineOfThisSession() {
  const SessionEnvironment session = SessionEnvironmentOfThisProcess();
  switch (FocusWatcherKindFor(session)) {
    case FocusWatcherKind::kX11:
      return IsWaylandSession(session) ? "focus: X11 on XWayland, X programs only; for the others " + FocusChangedHint()
                                       : std::string("focus: X11 (_NET_ACTIVE_WINDOW)");
    case FocusWatcherKind::kKWin: return "focus: KWin script";
    case FocusWatcherKind::kGnomeShell: return "focus: GNOME Shell extension";
    case FocusWatcherKind::kNone: break;
  }
  return "focus: no watcher for this desktop; " + FocusChangedHint();
}

}  // namespace korvane
