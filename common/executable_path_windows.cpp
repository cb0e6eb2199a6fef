#include "common/executable_path.h"

#define WIN32_LEAN_AND_MEAN
#include <windows.h>

#include <string>

namespace korvane {

std::filesystem::path RunningExecutable() {
  // The buffer grows until the whole path fits; a path that fills it exactly may have been cut.
  std::wstring path(MAX_PATH, L'\0');
  while (path.size() <= 32768) {
    const DWORD length = ::GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
    if (length == 0) return {};
    if (length < path.size()) {
      path.resize(length);
      return std::filesystem::path(path);
    }
    path.resize(path.size() * 2);
  }
  return {};
}

std::string_view ExecutableSuffix() { return ".exe"; }

}  // namespace korvane
