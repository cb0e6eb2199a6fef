#pragma once

#include <filesystem>
#include <string>

#include "cli/cli.h"
#include "common/folder_lock.h"
#include "config/label_file.h"
#include "config/mouse_config.h"
#include "profile/config_files.h"

namespace korvane::cli {

// The profile a command reads or edits: --profile N (0-5), --file FILE.bin, or the current profile of
// the program folder's profile list.
struct ProfileTarget {
  std::filesystem::path configPath;
  std::filesystem::path labelPath;
  std::string languageCode;
  ProfilePair pair() const { return {configPath, labelPath}; }
};

Status TakeProfileTarget(const Context& context, ArgReader& args, ProfileTarget& target);

using LoadedProfile = StoredProfile;

// Locks the folder of the target's files for a read, change and write back.
Status LockProfileFolder(const ProfileTarget& target, FolderLock& lock);
// Reads the record and labels; labels that do not describe the stored functions are made anew (and
// written with the next save).
Status LoadProfile(const Context& context, const ProfileTarget& target, LoadedProfile& profile);
// Writes the record (flag 1) and the button labels as one: a failure changes neither file.
Status SaveProfile(const Context& context, const ProfileTarget& target, const LoadedProfile& profile);

// Fails when fields of the record read from source are outside their ranges, naming each with its value
// and saying what was not done and what to do ("nothing was sent").
Status RefuseOutOfRange(const std::filesystem::path& source, const MouseConfig& config,
                        std::string_view notDone);

}  // namespace korvane::cli
