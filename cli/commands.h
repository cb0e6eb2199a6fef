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
Status ProfilesCommand(const Context& context, ArgReader& args);

// Sends profile index (0-5; the current one when negative) to the mouse and saves it, as upload does.
// The caller holds the lock of the program folder.
Status UploadProfile(const Context& context, int index, bool trace);

}  // namespace korvane::cli
