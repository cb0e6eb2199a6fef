#pragma once

#include <filesystem>
#include <string_view>

namespace korvane {

// The file of the running executable; empty when the system cannot tell.
std::filesystem::path RunningExecutable();

// How an executable's file name ends on this system: ".exe" on Windows, with nothing on Linux.
std::string_view ExecutableSuffix();

}  // namespace korvane
