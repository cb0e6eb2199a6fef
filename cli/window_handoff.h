#pragma once

#include <filesystem>

#include "common/status.h"
#include "system/desktop_pointer.h"

namespace korvane::cli {

// The running window, when it edits the same program folder, owns the mouse: korvanectl asks it over the
// session bus (dbus-send, as the desktop's own scripts would) instead of opening the mouse beside it.
struct WindowAnswer {
  bool handled = false;  // false: no window of this folder answered; the caller talks to the mouse itself
  Status status;         // the window's answer when handled
};
// Asks the window to make profile position current and send it to the mouse.
WindowAnswer AskWindowToUseProfile(const std::filesystem::path& folder, int position, const ProgramOutputRunner& run);
// dbus-send through RunProgramForOutput on Linux; nothing on Windows, which has no session bus.
ProgramOutputRunner SessionBusRunner();

}  // namespace korvane::cli
