#include "common/user_folders.h"

#include <cstdlib>

namespace korvane {

// Windows keeps each user's program settings in the roaming application data folder.
std::filesystem::path XdgConfigHome() {
  const wchar_t* appData = _wgetenv(L"APPDATA");
  return appData != nullptr && *appData != L'\0' ? std::filesystem::path(appData) : std::filesystem::path();
}

}  // namespace korvane
