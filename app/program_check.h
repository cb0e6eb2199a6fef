#pragma once

#include <string>

#include "config/program_folder.h"

namespace korvane {

// What a program folder lacks for the windows to start: the factory profile files and the default skin's
// background. Empty when nothing is missing; otherwise one sentence that names the folder and the files, so
// that the program can refuse to start instead of showing a window it cannot draw.
std::string MissingProgramFiles(const ProgramFolder& folder);

}  // namespace korvane
