#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace korvane {

// Where the profile file choosers open, and the file name offered for an export.
class ProfileFileChoice {
 public:
  explicit ProfileFileChoice(std::filesystem::path home) : home_(std::move(home)) {}

  // The folder of the last file chosen in this session while it still exists; the home folder otherwise.
  std::filesystem::path StartFolder() const;
  // The start folder with ExportFileName(profileName) in it.
  std::filesystem::path ExportSuggestion(std::string_view profileName) const;
  // A file the user chose: its folder is where the next chooser opens.
  void Chosen(const std::filesystem::path& file) { last_ = file.parent_path(); }

 private:
  std::filesystem::path home_;
  std::filesystem::path last_;
};

// The profile's name and ".bin", with every character a file name cannot hold ('/', control characters)
// made '_'; "profile.bin" for a name that is empty or only dots.
std::string ExportFileName(std::string_view profileName);

}  // namespace korvane
