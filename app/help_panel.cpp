#include "app/help_panel.h"

#include <string>

#include "common/executable_path.h"
#include "common/path_text.h"

namespace korvane {

HelpPress HelpPanelPress(int x, int y) {
  if (kHelpLinkRect.Contains(x, y)) return HelpPress::kLink;
  if (kHelpUpdateRect.Contains(x, y)) return HelpPress::kUpdate;
  return HelpPress::kNothing;
}

std::filesystem::path UpdaterPath(const ProgramFolder& folder, std::string_view machine) {
  return folder.DataFile("Update") / PathFromUtf8(machine) /
         (std::string(kUpdaterName) + std::string(ExecutableSuffix()));
}

}  // namespace korvane
