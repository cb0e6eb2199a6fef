#include "app/focus_watch.h"

namespace korvane {

FocusWatcherKind FocusWatcherKindFor(const SessionEnvironment& session) {
  if (IsWaylandSession(session)) {
    switch (DesktopKindFrom(session)) {
      case DesktopKind::kKWinWayland: return FocusWatcherKind::kKWin;
      case DesktopKind::kGnome: return FocusWatcherKind::kGnomeShell;
      default: break;
    }
  }
  return session.display.empty() ? FocusWatcherKind::kNone : FocusWatcherKind::kX11;
}

std::string FocusChangedHint() {
  return std::string("call ") + kProgramInterface + "." + kFocusChangedMethod + "(app_id, title) on " +
         kProgramObjectPath + " from your desktop";
}

std::string AppIdFromWmClass(std::string_view property) {
  const std::size_t end = property.find('\0');
  const std::string_view instance = property.substr(0, end);
  std::string_view appClass = end == std::string_view::npos ? std::string_view() : property.substr(end + 1);
  appClass = appClass.substr(0, appClass.find('\0'));
  return std::string(appClass.empty() ? instance : appClass);
}

}  // namespace korvane
