#pragma once

#include <cstddef>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

#include "common/status.h"

namespace korvane {

// Whole-file input and output. Writes go to a temporary file in the same folder that is renamed over
// the target, so a crash or a full disk never leaves a torn or empty file behind. A file that already
// holds the bytes is not written again.
std::optional<std::string> ReadWholeFile(const std::filesystem::path& path, std::size_t maxBytes = 64u << 20);
Status WriteFileReplacing(const std::filesystem::path& path, std::string_view bytes);
// The replacement itself, whatever the file holds: the bytes reach the disk before the temporary file
// takes the target's name, and the target keeps its permissions where the system has them.
Status ReplaceFileContents(const std::filesystem::path& path, std::string_view bytes);

}  // namespace korvane
