#include "config/program_folder.h"

#include <system_error>

#include "common/executable_path.h"

namespace korvane {

ProgramFolder ProgramFolder::OfExecutable() {
  const std::filesystem::path exe = RunningExecutable();
  if (exe.empty()) {
    std::error_code error;
    return ProgramFolder(std::filesystem::current_path(error));
  }
  return ProgramFolder(exe.parent_path());
}

}  // namespace korvane
