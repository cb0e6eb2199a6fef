#include "app/profile_file_choice.h"

#include <algorithm>
#include <system_error>

#include "common/path_text.h"

namespace korvane {

std::filesystem::path ProfileFileChoice::StartFolder() const {
  std::error_code error;
  if (!last_.empty() && std::filesystem::is_directory(last_, error)) return last_;
  return home_;
}

std::filesystem::path ProfileFileChoice::ExportSuggestion(std::string_view profileName) const {
  return StartFolder() / PathFromUtf8(ExportFileName(profileName));
}

std::string ExportFileName(std::string_view profileName) {
  std::string name(profileName);
  for (char& c : name) {
    if (c == '/' || c == '\\' || static_cast<unsigned char>(c) < 0x20 || c == 0x7F) c = '_';
  }
  // "." and ".." name folders, and a leading dot would hide the file.
  if (std::ranges::all_of(name, [](char c) { return c == '.'; })) name = "profile";
  return name + ".bin";
}

}  // namespace korvane
