#pragma once

// Helpers for the Windows side of the system layer (the *_windows.cpp files); nothing else includes this.
#include <cstdint>
#include <string>
#include <string_view>

#include "common/status.h"

namespace korvane {

// Text crosses the system boundary as UTF-16; inside the program it is UTF-8.
std::wstring Widen(std::string_view utf8);
std::string Narrow(std::wstring_view wide);

// "<what>: <the system's text for error>", with error as the status's code.
Status WindowsFailure(const std::string& what, unsigned long error);
// The same for the calling thread's last error.
Status LastSystemError(const std::string& what);

// A name for a kernel object that stands for a folder: prefix, then a hash of the folder's full path
// as the system compares paths (without regard to case).
std::wstring ObjectNameForFolder(std::wstring_view prefix, const std::wstring& folder);

}  // namespace korvane
