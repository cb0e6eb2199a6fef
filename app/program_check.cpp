#include "app/program_check.h"

#include <array>
#include <string_view>
#include <system_error>

#include "common/path_text.h"
#include "config/value_rules.h"
#include "ui/main_window_geometry.h"
#include "ui/skin_settings.h"

namespace korvane {

std::string MissingProgramFiles(const ProgramFolder& folder) {
  std::error_code error;
  if (!std::filesystem::is_directory(folder.dir(), error)) {
    return "The program folder " + PathToUtf8(folder.dir()) + " does not exist or is not a folder.";
  }
  constexpr std::array<std::string_view, 2> kFactoryFiles = {kFactoryConfigName, kProfileListName};
  std::string missing;
  const auto note = [&missing](const std::string& name) { missing += (missing.empty() ? "" : ", ") + name; };
  for (const std::string_view name : kFactoryFiles) {
    if (!std::filesystem::is_regular_file(folder.File(name), error)) note(std::string(name));
  }
  const std::string background = "Skins/" + std::string(kDefaultSkinName) + std::string(kMainBackground);
  if (!std::filesystem::is_regular_file(folder.DataFile(background), error)) {
    // An installed program's skin is in its data folder, which the sentence then names in full.
    note(folder.dataDir() == folder.dir() ? background : PathToUtf8(folder.DataFile(background)));
  }
  if (missing.empty()) return {};
  return "The program folder " + PathToUtf8(folder.dir()) + " lacks " + missing +
         ": start Korvane from its build or install folder, or name a complete folder with --home.";
}

}  // namespace korvane
