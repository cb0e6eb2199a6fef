#include "common/user_folders.h"

#include <pwd.h>
#include <unistd.h>

#include <cstdlib>

namespace korvane {

namespace {

std::filesystem::path HomeFolder() {
  if (const char* home = std::getenv("HOME"); home != nullptr && *home == '/') return home;
  const passwd* entry = getpwuid(getuid());
  if (entry != nullptr && entry->pw_dir != nullptr && *entry->pw_dir == '/') return entry->pw_dir;
  return {};
}

}  // namespace

std::filesystem::path XdgConfigHome() {
  // A relative value is invalid and is ignored, as the rules say.
  if (const char* config = std::getenv("XDG_CONFIG_HOME"); config != nullptr && *config == '/') return config;
  const std::filesystem::path home = HomeFolder();
  return home.empty() ? home : home / ".config";
}

}  // namespace korvane
