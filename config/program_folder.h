#pragma once

#include <filesystem>
#include <string_view>

namespace korvane {

// The folder that holds every file of the program: profiles, label files, record.ini, Skins/. It is the
// folder of the running executable unless --home names another.
class ProgramFolder {
 public:
  explicit ProgramFolder(std::filesystem::path dir) : dir_(std::move(dir)) {}
  static ProgramFolder OfExecutable();

  const std::filesystem::path& dir() const { return dir_; }
  std::filesystem::path File(std::string_view name) const { return dir_ / name; }

 private:
  std::filesystem::path dir_;
};

}  // namespace korvane
