#pragma once

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "common/status.h"
#include "config/mouse_config.h"
#include "profile/config_files.h"
#include "system/pointer_settings.h"

namespace korvane {

// The desktop's own pointer settings, set the way the desktop keeps them. A setting the desktop does not
// have is skipped (nullopt); otherwise the result says whether the write worked.
class DesktopPointer {
 public:
  virtual ~DesktopPointer() = default;
  virtual std::string_view name() const = 0;
  // Enhanced precision: thresholds {6, 10, 1} on, {0, 0, 0} off.
  virtual std::optional<Status> SetMouse(const std::array<int, 3>& thresholds) = 0;
  // Pointer speed 1-20, 10 the desktop's default.
  virtual std::optional<Status> SetMouseSpeed(int speed) = 0;
  // Lines per wheel notch, or kWheelPageScroll for one screen.
  virtual std::optional<Status> SetWheelScrollLines(std::uint32_t lines) = 0;
  virtual std::optional<Status> SetDoubleClickTime(int milliseconds) = 0;
};

// Our speed 1-20 (10 the default) on the -1 to 1 scale (0 the default) of libinput desktops, as text
// with two decimals.
std::string SignedUnitSpeed(int speed);

// The four settings of the record, in order, each whatever the others did. A failed write shows its own
// message ("SETMOUSE failed." …, caption "Warning") with the reason; a skipped one shows nothing.
void ApplyPointerSettings(const MouseConfig& config, DesktopPointer& desktop, MessageSink& messages);

// Runs a program (no shell) and waits for it, at most a few seconds. The seam the backends write through.
// A failure names the program and ends with the last line it wrote to its standard error, if any.
using ProgramRunner = std::function<Status(const std::vector<std::string>& argv)>;
Status RunProgram(const std::vector<std::string>& argv);
// The same, keeping what the program wrote to its standard output (the seam of backends that ask).
using ProgramOutputRunner = std::function<Status(const std::vector<std::string>& argv, std::string& output)>;
Status RunProgramForOutput(const std::vector<std::string>& argv, std::string& output);

enum class DesktopKind { kGnome, kKde, kKWinWayland, kSway, kXServer, kWindows, kNone };
// The session's environment variables that tell its desktop apart (empty when unset).
struct SessionEnvironment {
  std::string_view currentDesktop = {};  // XDG_CURRENT_DESKTOP, a colon-separated list
  std::string_view sessionType = {};     // XDG_SESSION_TYPE: "x11", "wayland", "tty" …
  std::string_view display = {};         // DISPLAY
  std::string_view waylandDisplay = {};  // WAYLAND_DISPLAY
  std::string_view swaySocket = {};      // SWAYSOCK
};
// The environment of this process; on Windows all empty.
SessionEnvironment SessionEnvironmentOfThisProcess();
// Whether the session is a Wayland one: it says so, or it says nothing and has a Wayland socket.
bool IsWaylandSession(const SessionEnvironment& session);
// GNOME and the desktops built on its settings, KDE Plasma on X or on Wayland, sway, any other X session,
// or nothing to set: another Wayland compositor, where DISPLAY only leads to XWayland's own pointer.
DesktopKind DesktopKindFrom(const SessionEnvironment& session);
// On Linux from the session's environment as above; on Windows always kWindows.
DesktopKind DesktopKindOfThisSession();

// GNOME: org.gnome.desktop.peripherals.mouse speed and accel-profile, and double-click, through the
// gsettings program; no wheel-lines setting.
std::unique_ptr<DesktopPointer> MakeGSettingsPointer(ProgramRunner run = RunProgram);
// KDE Plasma: kcminputrc and kdeglobals through kwriteconfig6 (or kwriteconfig5).
std::unique_ptr<DesktopPointer> MakeKdePointer(ProgramRunner run = RunProgram);
// KDE Plasma on Wayland: KWin's own per-device speed and acceleration profile for every mouse (not
// touchpads) over the session bus through dbus-send, which KWin keeps; double-click and wheel lines as
// for Plasma on X.
std::unique_ptr<DesktopPointer> MakeKWinPointer(ProgramOutputRunner run = RunProgramForOutput);
// sway: pointer_accel and accel_profile of every pointer through swaymsg, for the running session only;
// no double-click or wheel settings.
std::unique_ptr<DesktopPointer> MakeSwayPointer(ProgramRunner run = RunProgram);
// A bare X server: the core pointer control (acceleration and threshold) through xset; no double-click
// or wheel settings.
std::unique_ptr<DesktopPointer> MakeXServerPointer(ProgramRunner run = RunProgram);
// The system's own settings on Windows (SystemParametersInfoW).
std::unique_ptr<DesktopPointer> MakeWindowsPointer();
// One that skips everything: there is no desktop to set.
std::unique_ptr<DesktopPointer> MakeNoDesktopPointer();
// The backend for a kind of session, where this system has it; otherwise the one that skips everything.
std::unique_ptr<DesktopPointer> MakeDesktopPointer(DesktopKind kind);

}  // namespace korvane
