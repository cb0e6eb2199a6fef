#pragma once

#include "cli/cli.h"

namespace korvane::cli {

Status ShowCommand(const Context& context, ArgReader& args);
Status SetCommand(const Context& context, ArgReader& args);
// The settings `set` takes, with their ranges, for its --help.
std::string SetSettingsHelp();
Status PagesCommand(const Context& context, ArgReader& args);
Status MacrosCommand(const Context& context, ArgReader& args);
Status UploadCommand(const Context& context, ArgReader& args);
Status DevicesCommand(const Context& context, ArgReader& args);
Status EventsCommand(const Context& context, ArgReader& args);
Status ExportCommand(const Context& context, ArgReader& args);
Status ImportCommand(const Context& context, ArgReader& args);
Status ResetCommand(const Context& context, ArgReader& args);
Status KeysCommand(const Context& context, ArgReader& args);

}  // namespace korvane::cli
