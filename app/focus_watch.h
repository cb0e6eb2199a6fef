#pragma once

#include <functional>
#include <string>
#include <string_view>

#include "app/program_bus.h"
#include "system/desktop_pointer.h"

namespace korvane {

// Which application has the keyboard focus, as the desktop names it (X11: WM_CLASS's class, KWin: the
// window's resource class, GNOME Shell: its WM class or application id), and its window's title. Focus on
// nothing (the desktop, no window) comes as an empty app id.
using FocusCallback = std::function<void(const std::string& appId, const std::string& title)>;

// Follows the focus on one kind of desktop and hands each change to its callback, the window active at
// its start included.
class FocusWatcher {
 public:
  virtual ~FocusWatcher() = default;
  // One line for the log: which watcher, and whether it is active or why not (and what to do about it).
  virtual std::string Describe() const = 0;
};

// The method of the program's bus interface that the desktops' own scripts call on every focus change:
// FocusChanged(s app_id, s title).
inline constexpr char kFocusChangedMethod[] = "FocusChanged";

enum class FocusWatcherKind {
  kX11,         // _NET_ACTIVE_WINDOW on the X server (under a Wayland compositor: XWayland's programs only)
  kKWin,        // a KWin script that calls FocusChanged
  kGnomeShell,  // a GNOME Shell extension that calls FocusChanged
  kNone,        // nothing of our own: the desktop may call FocusChanged itself
};

// KDE Plasma and GNOME on Wayland have a watcher of their own; any other session with an X server (an X
// session, or a Wayland compositor's XWayland) watches X; the rest have none.
FocusWatcherKind FocusWatcherKindFor(const SessionEnvironment& session);

// What a desktop without a watcher of ours can do: "call org.tellurix.Korvane1.FocusChanged … from your desktop".
std::string FocusChangedHint();

// One line for --version: which watcher this session gets. Windows does not follow the focus.
std::string FocusWatcherLineOfThisSession();

// The app id in a WM_CLASS property ("instance\0class\0"): its class, or its instance when the class is
// empty or missing.
std::string AppIdFromWmClass(std::string_view property);

}  // namespace korvane
