#pragma once

#include <filesystem>
#include <span>
#include <string>
#include <string_view>

#include "common/status.h"
#include "config/config_file.h"
#include "config/label_file.h"
#include "config/mouse_config.h"
#include "config/program_folder.h"
#include "config/value_rules.h"

namespace korvane {

inline constexpr std::string_view kConfigMissingMessage = "Config file is not exist.";

// Where messages for the user go: message boxes in the GUI, stderr in the CLI, a recorder in tests.
class MessageSink {
 public:
  virtual ~MessageSink() = default;
  virtual void ShowMessage(std::string_view text, std::string_view caption) = 0;
};

// The two files of one profile: the record and its label file.
struct ProfilePair {
  std::filesystem::path config;
  std::filesystem::path labels;

  bool operator==(const ProfilePair&) const = default;
};

// A profile as read from its pair.
struct StoredProfile {
  Byte firstRunFlag = 0;
  MouseConfig config;
  LabelSettings labels;
  // Some button labels did not describe the stored function (a label file written by another version,
  // missing, or a pair torn by a crash between its two files) and were made anew from the record.
  bool labelsRebuilt = false;
};

// The profile files of a program folder. Every operation takes the files it works on as values and
// returns its outcome; nothing is remembered between calls, so the window, korvanectl and the profile
// manager all see the files as they are on disk.
class ConfigFiles {
 public:
  explicit ConfigFiles(ProgramFolder folder) : folder_(std::move(folder)) {}

  const ProgramFolder& folder() const { return folder_; }
  std::filesystem::path profileListPath() const { return folder_.File(kProfileListName); }
  std::filesystem::path macroPath() const { return folder_.File(kMacroFileName); }
  // config<index>.bin and str<index>.ini.
  ProfilePair ProfileFiles(int index) const;
  // config.bin and str.ini: the factory settings; never written.
  ProfilePair FactoryFiles() const { return {folder_.File(kFactoryConfigName), profileListPath()}; }

  // The current profile named by str.ini ("CurProfileName" matched exactly against the list, the last
  // match winning). index is left as it is when no name matches; fails when the list is not usable
  // (ItemCount must be 1 to 6).
  Status CurrentProfileIndex(int& index) const;
  // "Lan" of the profile's label file: the language of its label section.
  std::string LanguageOf(const ProfilePair& pair) const;

  // Reads a profile's record and labels. Labels are made from the record where the label file holds none
  // for the language or one that names another function than the stored one.
  Status Load(const ProfilePair& pair, std::string_view languageCode, StoredProfile& profile) const;
  // Writes a profile's record (flag 1) and labels as one: both files are prepared in full before either
  // is replaced, so a failure changes neither. Saving never creates a profile: the record must exist.
  Status Save(const ProfilePair& pair, std::string_view languageCode, const MouseConfig& config,
              const ButtonLabels& labels) const;

  // The loading part of Reset: the settings and buttons of config.bin (its first 220 bytes), the live
  // macros and profileSlot kept, and the labels of str.ini. Fails, changing nothing, when config.bin
  // cannot be read.
  Status LoadDefaults(std::string_view languageCode, MouseConfig& config, LabelSettings& labels) const;
  // Reads a chosen ".bin" file and its ".ini" companion; without the companion the labels are made from
  // the record (labelsRebuilt says so). Fails, with the reason, when either cannot be read.
  Status Import(const std::filesystem::path& chosen, std::string_view languageCode, StoredProfile& profile) const;
  // Writes the record and labels to the chosen path (".bin" added when it has none) and a second copy
  // under the same name into the program folder. Refuses an empty name and the names of the program's
  // own files.
  Status Export(const std::filesystem::path& chosen, std::string_view languageCode, const MouseConfig& config,
                const ButtonLabels& labels) const;

 private:
  ProgramFolder folder_;
};

// The label of each button made anew from the record where the given one is empty or names another
// function. Returns whether any label changed.
bool RepairLabels(const MouseConfig& config, std::span<const std::string> macroNames, std::string_view languageCode,
                  ButtonLabels& labels);

}  // namespace korvane
