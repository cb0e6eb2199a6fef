#pragma once

#include <filesystem>
#include <memory>

#include "app/focus_watch.h"

namespace korvane {

// The watchers of gui/focus_watchers.h, one per kind of desktop. Each gives a watcher even when it cannot
// work, whose Describe says why.
std::unique_ptr<FocusWatcher> MakeX11FocusWatcher(FocusCallback changed, bool xwayland);
std::unique_ptr<FocusWatcher> MakeKWinFocusWatcher(const std::filesystem::path& script);
std::unique_ptr<FocusWatcher> MakeGnomeShellFocusWatcher();

// The KWin script's file in the data folder, and the GNOME Shell extension's uuid.
inline constexpr char kKWinFocusScript[] = "kwin/korvane-focus.js";
inline constexpr char kGnomeShellExtension[] = "korvane-focus@tellurix.org";

}  // namespace korvane
