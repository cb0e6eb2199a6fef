#pragma once

#include <filesystem>

namespace korvane {

// The user's configuration folder as the XDG base directory rules name it: $XDG_CONFIG_HOME when it is an
// absolute path, else ~/.config (the home folder from $HOME, else from the user database). Empty when no
// home folder can be found. On Windows: %APPDATA%.
std::filesystem::path XdgConfigHome();

}  // namespace korvane
