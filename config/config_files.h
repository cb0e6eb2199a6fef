#pragma once

#include <filesystem>
#include <string>
#include <string_view>

#include "common/status.h"
#include "config/label_file.h"
#include "config/mouse_config.h"
#include "config/program_folder.h"

namespace korvane {

inline constexpr std::size_t kConfigFileSize = 1 + kMouseConfigSize;

inline constexpr std::string_view kConfigMissingMessage = "Config file is not exist.";
inline constexpr std::string_view kWriteFailedCaption = "NULL ==fp ";

// Where the messages of the file operations go: message boxes in the GUI, stderr in the CLI, a recorder
// in tests.
class MessageSink {
 public:
  virtual ~MessageSink() = default;
  virtual void ShowMessage(std::string_view text, std::string_view caption) = 0;
};

// "Error Code is: %d \n" with the error code.
std::string WriteFailedMessage(int errorCode);

// One 1757-byte configuration file: the first-run flag, then the record.
struct ConfigFileContent {
  Byte firstRunFlag = 0;
  MouseConfig config;
};
// Fails, saying why, when the file is missing, unreadable or not exactly 1757 bytes.
Status ReadConfigFile(const std::filesystem::path& path, ConfigFileContent& content);
// Writes the first-run flag (1: written by the program) and the record through a temporary file.
Status WriteConfigFile(const std::filesystem::path& path, const MouseConfig& config, Byte firstRunFlag = 1);

// The profile files of the program folder: which profile is current, loading, saving, defaults, import
// and export of 1757-byte configuration files and their label files.
class ConfigFiles {
 public:
  ConfigFiles(ProgramFolder folder, MessageSink& messages);

  const ProgramFolder& folder() const { return folder_; }
  std::filesystem::path profileListPath() const { return folder_.File("str.ini"); }
  std::filesystem::path macroPath() const { return folder_.File("record.ini"); }
  std::filesystem::path factoryConfigPath() const { return folder_.File("config.bin"); }
  const std::filesystem::path& configPath() const { return configPath_; }
  const std::filesystem::path& labelPath() const { return labelPath_; }

  int currentProfileIndex() const { return currentProfileIndex_; }
  void setCurrentProfileIndex(int index);
  Byte firstRunFlag() const { return firstRunFlag_; }
  bool loadDefaultsMode() const { return loadDefaultsMode_; }

  // Language of the label section; chosen at start-up from "Lan" of the current label file.
  const std::string& languageCode() const { return languageCode_; }
  void setLanguageCode(std::string code) { languageCode_ = std::move(code); }

  // Chooses the current profile from str.ini (exact name match, last match wins) and reads its file
  // into the record. Returns false when nothing was read.
  bool LoadConfiguration(MouseConfig& config);
  // Rewrites the current profile's file; never creates one.
  Status SaveConfiguration(const MouseConfig& config);
  // The loading part of Reset: the first 220 bytes from config.bin, profileSlot and macros kept, the
  // labels from str.ini. The paths then name the current profile again. The caller uploads when the
  // mouse is connected.
  void LoadDefaults(MouseConfig& config, LabelSettings& labels);
  // Replaces the whole record and the labels from a chosen ".bin" file and its ".ini" companion. Without
  // the companion the button labels are rebuilt from the record (macro names from record.ini), and
  // labelsRebuilt, when given, says so.
  Status ImportConfiguration(const std::filesystem::path& chosen, MouseConfig& config, LabelSettings& labels,
                             bool* labelsRebuilt = nullptr);
  // Writes the record and labels to the chosen path and a second copy under the same name into the
  // program folder.
  Status ExportConfiguration(const std::filesystem::path& chosen, const MouseConfig& config,
                             const ButtonLabels& labels);

  LabelSettings ReadLabels() const;
  Status WriteLabels(const ButtonLabels& labels) const;

  // Whether str.ini holds a usable profile list (count 1-6). While it does not, only label files are
  // written.
  bool ProfileListAccepted() const;

 private:
  void FormProfilePaths();
  bool ReadInto(const std::filesystem::path& path, MouseConfig& config, bool settingsOnly);
  Status WriteReporting(const std::filesystem::path& path, const MouseConfig& config);

  ProgramFolder folder_;
  MessageSink& messages_;
  std::filesystem::path configPath_;
  std::filesystem::path labelPath_;
  int currentProfileIndex_ = 0;
  Byte firstRunFlag_ = 0;
  bool loadDefaultsMode_ = false;
  std::string languageCode_;
};

}  // namespace korvane
