#pragma once

#include <filesystem>
#include <string>

#include "common/status.h"
#include "config/mouse_config.h"

namespace korvane {

inline constexpr std::size_t kConfigFileSize = 1 + kMouseConfigSize;

// One 1757-byte configuration file: the first-run flag, then the record.
struct ConfigFileContent {
  Byte firstRunFlag = 0;
  MouseConfig config;
};
// Fails, saying why, when the file is missing, not a regular file, unreadable or not exactly 1757 bytes.
Status ReadConfigFile(const std::filesystem::path& path, ConfigFileContent& content);
// The bytes of a configuration file: the first-run flag (1: written by the program), then the record.
std::string ConfigFileBytes(const MouseConfig& config, Byte firstRunFlag = 1);
// Writes one configuration file on its own (factory files, tests); profiles are saved as pairs.
Status WriteConfigFile(const std::filesystem::path& path, const MouseConfig& config, Byte firstRunFlag = 1);

}  // namespace korvane
