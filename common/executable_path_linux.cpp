#include "common/executable_path.h"

#include <system_error>

namespace korvane {

std::filesystem::path RunningExecutable() {
  std::error_code error;
  std::filesystem::path exe = std::filesystem::read_symlink("/proc/self/exe", error);
  if (error) return {};
  return exe;
}

std::string_view ExecutableSuffix() { return ""; }

}  // namespace korvane
