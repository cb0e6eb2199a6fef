#pragma once

#include "common/status.h"
#include "config/mouse_config.h"
#include "config/program_folder.h"

namespace korvane {

// The record the program ships as config.bin and as every profile file before the user changes it.
MouseConfig FactoryConfig();

// Writes the factory files into a program folder: config.bin (first-run flag 0) and config0-5.bin,
// str.ini with the profile list and skin settings, and str0-5.ini.
Status WriteFactoryFiles(const ProgramFolder& folder);

}  // namespace korvane
