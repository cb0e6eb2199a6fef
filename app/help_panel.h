#pragma once

#include <filesystem>
#include <string_view>

#include "config/program_folder.h"
#include "ui/rect.h"

namespace korvane {

// The help panel: a child of the main window, under its Help button, showing the web address, the
// updater entry and the version in three rows. The panel closes through the main window (its Help
// button, or any other press there); the background is only as large as the three rows.
inline constexpr int kHelpPanelLeft = 786;
inline constexpr int kHelpPanelTop = 25;
inline constexpr std::string_view kHelpBackground = "/Help/HelpWindow.png";

inline constexpr Rect kHelpLinkRect{0, 0, 166, 25};
inline constexpr Rect kHelpUpdateRect{0, 26, 166, 49};
inline constexpr Rect kHelpVersionRect{0, 50, 166, 77};

enum class HelpPress { kNothing, kLink, kUpdate };
// A press at a point of the panel.
HelpPress HelpPanelPress(int x, int y);

// The firmware updater is a program of its own, installed beside the executables for the machine's
// architecture (uname's machine name, as "x86_64" or "aarch64"), with ".exe" on Windows.
inline constexpr std::string_view kUpdaterName = "korvane-updater";
std::filesystem::path UpdaterPath(const ProgramFolder& folder, std::string_view machine);

}  // namespace korvane
