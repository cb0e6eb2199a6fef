#pragma once

#include <filesystem>

namespace korvane {

// The file of the running executable; empty when the system cannot tell.
std::filesystem::path RunningExecutable();

}  // namespace korvane
