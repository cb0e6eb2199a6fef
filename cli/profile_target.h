#pragma once

#include <filesystem>
#include <string>

#include "cli/cli.h"
#include "common/folder_lock.h"
#include "config/config_files.h"
#include "config/label_file.h"
#include "config/mouse_config.h"

namespace korvane::cli {

// The profile a command reads or edits: --profile N (0-5), --file FILE.bin, or the current profile of
// the program folder's profile list.
struct ProfileTarget {
  std::filesystem::path configPath;
  std::filesystem::path labelPath;
  std::string languageCode;
};

Status TakeProfileTarget(const Context& context, ArgReader& args, ProfileTarget& target);

// The file operations' message boxes have no place in a terminal: every command reports its failure
// through its own Status, which says more.
class SilentMessages : public MessageSink {
 public:
  void ShowMessage(std::string_view /*text*/, std::string_view /*caption*/) override {}
};

struct LoadedProfile {
  MouseConfig config;
  LabelSettings labels;
};

// Locks the folder of the target's files for a read, change and write back.
Status LockProfileFolder(const ProfileTarget& target, FolderLock& lock);
Status LoadProfile(const ProfileTarget& target, LoadedProfile& profile);
// Writes the record (flag 1) and the button labels.
Status SaveProfile(const ProfileTarget& target, const LoadedProfile& profile);

// Fails when fields of the record read from source are outside their ranges, naming each with its value
// and saying what was not done and what to do ("nothing was sent").
Status RefuseOutOfRange(const std::filesystem::path& source, const MouseConfig& config,
                        std::string_view notDone);

}  // namespace korvane::cli
