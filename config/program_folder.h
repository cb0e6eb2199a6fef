#pragma once

#include <filesystem>
#include <string>
#include <string_view>

#include "common/status.h"
#include "common/path_text.h"

namespace korvane {

// Where the program's files are. A folder named with --home, or a portable program folder (a build tree or
// an unpacked folder with the factory files beside the executable), holds everything: profiles, label
// files, record.ini and Skins/. An installed program keeps the user's files in $XDG_CONFIG_HOME/korvane
// and reads the factory files, the skin and the updater from its read-only data folder.
class ProgramFolder {
 public:
  enum class Kind { kNamed, kPortable, kInstalled };

  // One folder for everything.
  explicit ProgramFolder(std::filesystem::path dir, Kind kind = Kind::kNamed)
      : dir_(std::move(dir)), data_(dir_), kind_(kind) {}
  // An installed program: the user's files in userDir, the factory files in dataDir.
  ProgramFolder(std::filesystem::path userDir, std::filesystem::path dataDir)
      : dir_(std::move(userDir)), data_(std::move(dataDir)), kind_(Kind::kInstalled) {}

  // The folders of the running executable: portable when its folder holds the factory files, installed
  // when the data folder beside it (../share/korvane from bin/) does.
  static ProgramFolder OfExecutable();
  static ProgramFolder ForExecutableIn(const std::filesystem::path& exeDir, const std::filesystem::path& configHome);

  const std::filesystem::path& dir() const { return dir_; }       // the user's files
  const std::filesystem::path& dataDir() const { return data_; }  // factory files, Skins/, Update/
  Kind kind() const { return kind_; }
  // A file of the folder by its name (UTF-8).
  std::filesystem::path File(std::string_view name) const { return dir_ / PathFromUtf8(name); }
  std::filesystem::path DataFile(std::string_view name) const { return data_ / PathFromUtf8(name); }

  // Removes the temporary files of writers that were killed. Installed: creates the user folder and
  // copies into it each factory file it lacks, so that a first start finds the factory profiles and
  // nothing the user changed is ever replaced.
  Status Seed() const;

  // Which folders are in use, a line each, for --version.
  std::string Describe() const;

 private:
  std::filesystem::path dir_;
  std::filesystem::path data_;
  Kind kind_;
};

}  // namespace korvane
