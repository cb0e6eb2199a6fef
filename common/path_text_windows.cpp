#include "common/path_text.h"

#include "common/windows_system.h"

namespace korvane {

std::filesystem::path PathFromUtf8(std::string_view text) { return std::filesystem::path(Widen(text)); }

std::string PathToUtf8(const std::filesystem::path& path) { return Narrow(path.native()); }

}  // namespace korvane
