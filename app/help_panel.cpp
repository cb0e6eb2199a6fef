#include "app/help_panel.h"

#include <sys/utsname.h>

namespace korvane {

HelpPress HelpPanelPress(int x, int y) {
  if (kHelpLinkRect.Contains(x, y)) return HelpPress::kLink;
  if (kHelpUpdateRect.Contains(x, y)) return HelpPress::kUpdate;
  return HelpPress::kNothing;
}

std::filesystem::path UpdaterPath(const ProgramFolder& folder, std::string_view machine) {
  return folder.DataFile("Update") / machine / kUpdaterName;
}

std::string MachineName() {
  utsname name{};
  return ::uname(&name) == 0 ? std::string(name.machine) : std::string("unknown");
}

}  // namespace korvane
