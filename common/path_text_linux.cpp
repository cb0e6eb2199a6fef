#include "common/path_text.h"

namespace korvane {

// A Linux path is the bytes of its name, which the program's text is too.
std::filesystem::path PathFromUtf8(std::string_view text) { return std::filesystem::path(text); }

std::string PathToUtf8(const std::filesystem::path& path) { return path.native(); }

}  // namespace korvane
