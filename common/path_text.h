#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace korvane {

// Paths as the program's text: UTF-8 on every system. A path the user gives (an argument, a value in an
// INI file, a file chooser's answer) becomes a path with PathFromUtf8, and a path shown in a message,
// printed or written into a file goes through PathToUtf8. std::filesystem would read and give a narrow
// string in the local code page on Windows, where a name such as "hömé" then names another file.
//
// On Linux a name is bytes and both keep them as they are, even bytes that are not UTF-8. On Windows a
// malformed sequence becomes U+FFFD, and so does an unpaired surrogate of a name the system gave.
std::filesystem::path PathFromUtf8(std::string_view text);
std::string PathToUtf8(const std::filesystem::path& path);

}  // namespace korvane
