#include "config/program_folder.h"

#include <system_error>
#include <vector>

#include "common/executable_path.h"
#include "common/file_io.h"
#include "common/user_folders.h"
#include "config/value_rules.h"

#ifndef KORVANE_DATA_FROM_BIN
#define KORVANE_DATA_FROM_BIN "../share/korvane"
#endif

namespace korvane {

namespace {

bool HoldsFactoryFiles(const std::filesystem::path& dir) {
  std::error_code error;
  return std::filesystem::is_regular_file(dir / kFactoryConfigName, error);
}

}  // namespace

ProgramFolder ProgramFolder::OfExecutable() {
  const std::filesystem::path exe = RunningExecutable();
  std::error_code error;
  if (exe.empty()) return ProgramFolder(std::filesystem::current_path(error), Kind::kPortable);
  return ForExecutableIn(exe.parent_path(), XdgConfigHome());
}

ProgramFolder ProgramFolder::ForExecutableIn(const std::filesystem::path& exeDir,
                                             const std::filesystem::path& configHome) {
  if (!HoldsFactoryFiles(exeDir)) {
    const std::filesystem::path data = (exeDir / KORVANE_DATA_FROM_BIN).lexically_normal();
    if (HoldsFactoryFiles(data)) return ProgramFolder(configHome.empty() ? configHome : configHome / "korvane", data);
  }
  // Also where nothing is found: the program's own check then names what the folder lacks.
  return ProgramFolder(exeDir, Kind::kPortable);
}

Status ProgramFolder::Seed() const {
  // A writer killed mid-write leaves its temporary file behind; the next start takes it away.
  RemoveStaleTemporaries(dir_);
  if (kind_ != Kind::kInstalled) return Status::Ok();
  if (dir_.empty()) {
    return Status::Failure("cannot find the home folder for the profiles: set HOME or XDG_CONFIG_HOME, "
                           "or name a folder with --home");
  }
  std::error_code error;
  std::filesystem::create_directories(dir_, error);
  if (error) return Status::Failure("cannot create " + PathToUtf8(dir_) + ": " + error.message());
  for (const std::string& name : FactoryFileNames()) {
    if (std::filesystem::exists(File(name), error)) continue;
    const std::optional<std::string> bytes = ReadWholeFile(DataFile(name));
    // A factory file the data folder lacks is reported by the program's own check of the user folder.
    if (!bytes) continue;
    if (Status s = WriteFileReplacing(File(name), *bytes); !s) return s;
  }
  return Status::Ok();
}

std::string ProgramFolder::Describe() const {
  switch (kind_) {
    case Kind::kNamed:
      return "program folder (--home): " + PathToUtf8(dir_) + "\n";
    case Kind::kPortable:
      return "portable program folder: " + PathToUtf8(dir_) + "\n";
    case Kind::kInstalled:
      return "user files: " + PathToUtf8(dir_) + "\nfactory files and skin: " + PathToUtf8(data_) + "\n";
  }
  return {};
}

}  // namespace korvane
