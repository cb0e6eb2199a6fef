#include "config/program_folder.h"

#include <system_error>

namespace korvane {

ProgramFolder ProgramFolder::OfExecutable() {
  std::error_code error;
  const std::filesystem::path exe = std::filesystem::read_symlink("/proc/self/exe", error);
  if (error) return ProgramFolder(std::filesystem::current_path(error));
  return ProgramFolder(exe.parent_path());
}

}  // namespace korvane
