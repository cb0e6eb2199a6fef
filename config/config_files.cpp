#include "config/config_files.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <system_error>

#include "common/file_io.h"
#include "config/ini_file.h"
#include "keys/button_catalogue.h"
#include "macro/macro_section.h"

namespace korvane {

namespace {

bool FileExists(const std::filesystem::path& path) {
  std::error_code error;
  return !path.empty() && std::filesystem::is_regular_file(path, error);
}

// The Windows program forms companion names by text replacement, so every ".bin" in the path becomes
// ".ini" (a folder named x.bin included).
std::string ReplaceAll(std::string text, std::string_view from, std::string_view to) {
  for (std::size_t at = text.find(from); at != std::string::npos; at = text.find(from, at + to.size())) {
    text.replace(at, from.size(), to);
  }
  return text;
}

bool Contains(const std::string& text, std::string_view part) { return text.find(part) != std::string::npos; }

}  // namespace

std::string WriteFailedMessage(int errorCode) {
  char text[64];
  std::snprintf(text, sizeof text, "Error Code is: %d \n", errorCode);
  return text;
}

ConfigFiles::ConfigFiles(ProgramFolder folder, MessageSink& messages)
    : folder_(std::move(folder)), messages_(messages) {
  FormProfilePaths();
}

void ConfigFiles::setCurrentProfileIndex(int index) {
  currentProfileIndex_ = index;
  FormProfilePaths();
}

void ConfigFiles::FormProfilePaths() {
  configPath_ = folder_.File("config" + std::to_string(currentProfileIndex_) + ".bin");
  labelPath_ = folder_.File("str" + std::to_string(currentProfileIndex_) + ".ini");
}

bool ConfigFiles::ProfileListAccepted() const { return ProfileCountAccepted(ReadProfileCount(profileListPath())); }

bool ConfigFiles::LoadConfiguration(MouseConfig& config) {
  if (loadDefaultsMode_) {
    configPath_ = factoryConfigPath();
    labelPath_ = profileListPath();
  } else {
    const IniDocument list = IniFile(profileListPath()).Load();
    const std::string currentName = list.Get("Profile", "CurProfileName");
    const int count = ProfileCountFromText(list.Get("Profile", "ItemCount"));
    if (!ProfileCountAccepted(count)) {
      // No profile is current: nothing is read and no profile file can be written until the list is
      // repaired. The label path still names the current index's label file.
      FormProfilePaths();
      configPath_.clear();
      return false;
    }
    for (int i = 0; i < count; ++i) {
      if (list.Get("Profile", ItemKey(i)) == currentName) currentProfileIndex_ = i;
    }
    FormProfilePaths();
  }
  if (!FileExists(configPath_)) {
    messages_.ShowMessage(kConfigMissingMessage, "");
    return false;
  }
  return ReadInto(configPath_, config, loadDefaultsMode_);
}

Status ReadConfigFile(const std::filesystem::path& path, ConfigFileContent& content) {
  if (!FileExists(path)) return Status::Failure(path.string() + " does not exist");
  const std::optional<std::string> bytes = ReadWholeFile(path, kConfigFileSize);
  if (!bytes) return Status::Failure(path.string() + " cannot be read or is not a profile file");
  if (bytes->size() != kConfigFileSize) {
    return Status::Failure(path.string() + " is not a profile file (it must be exactly 1757 bytes)");
  }
  MouseConfigImage image;
  std::copy(bytes->begin() + 1, bytes->end(), image.begin());
  content.firstRunFlag = static_cast<Byte>((*bytes)[0]);
  content.config = MouseConfig::FromBytes(image);
  return Status::Ok();
}

Status WriteConfigFile(const std::filesystem::path& path, const MouseConfig& config, Byte firstRunFlag) {
  const MouseConfigImage image = config.ToBytes();
  // Sized once and filled in place: appending the image to a one-byte string makes GCC 12 warn
  // (-Warray-bounds, -Wrestrict) about its own inlined string code.
  std::string bytes(kConfigFileSize, '\0');
  bytes[0] = static_cast<char>(firstRunFlag);
  std::copy(image.begin(), image.end(), bytes.begin() + 1);
  return WriteFileReplacing(path, bytes);
}

bool ConfigFiles::ReadInto(const std::filesystem::path& path, MouseConfig& config, bool settingsOnly) {
  ConfigFileContent content;
  if (!ReadConfigFile(path, content)) return false;
  firstRunFlag_ = content.firstRunFlag;
  if (settingsOnly) {
    config.ReplaceSettingsAndButtons(content.config.ToBytes());
  } else {
    config = content.config;
  }
  return true;
}

Status ConfigFiles::WriteReporting(const std::filesystem::path& path, const MouseConfig& config) {
  Status status = WriteConfigFile(path, config);
  if (!status) messages_.ShowMessage(WriteFailedMessage(status.errorCode()), kWriteFailedCaption);
  return status;
}

Status ConfigFiles::SaveConfiguration(const MouseConfig& config) {
  FormProfilePaths();
  if (!ProfileListAccepted()) {
    return Status::Failure("the profile list in " + profileListPath().string() +
                           " is not usable (ItemCount must be 1 to 6); nothing was saved");
  }
  if (!FileExists(configPath_)) {
    messages_.ShowMessage(kConfigMissingMessage, "");
    return Status::Failure(configPath_.string() + " does not exist");
  }
  return WriteReporting(configPath_, config);
}

void ConfigFiles::LoadDefaults(MouseConfig& config, LabelSettings& labels) {
  const Byte profileSlot = config.profileSlot;
  loadDefaultsMode_ = true;
  LoadConfiguration(config);
  labels = ReadLabels();
  loadDefaultsMode_ = false;
  config.profileSlot = profileSlot;
  // The factory settings are now the current profile's: what is saved next goes into its files, never
  // into config.bin or str.ini.
  FormProfilePaths();
}

Status ConfigFiles::ImportConfiguration(const std::filesystem::path& chosen, MouseConfig& config,
                                        LabelSettings& labels, bool* labelsRebuilt) {
  const std::string path = chosen.string();
  if (labelsRebuilt != nullptr) *labelsRebuilt = false;
  if (!Contains(path, ".bin")) return Status::Failure(path + " is not a .bin profile file");
  Status status = Status::Ok();
  if (!FileExists(chosen)) {
    messages_.ShowMessage(kConfigMissingMessage, "");
    status = Status::Failure(path + " does not exist");
  } else if (!ReadInto(chosen, config, false)) {
    status = Status::Failure(path + " is not a profile file (it must be exactly 1757 bytes)");
  } else if (const std::string labelPath = ReplaceAll(path, ".bin", ".ini"); FileExists(labelPath)) {
    labels = korvane::ReadLabels(labelPath, languageCode_);
  } else {
    labels = LabelSettings{};
    const std::vector<std::string> macroNames = MacroNames(IniFile(macroPath()).Load());
    for (int button = 0; button < int(kButtonCount); ++button) {
      labels.buttonLabel[button] = LabelFromRecord(config, button, macroNames, languageCode_);
    }
    if (labelsRebuilt != nullptr) *labelsRebuilt = true;
  }
  FormProfilePaths();
  return status;
}

Status ConfigFiles::ExportConfiguration(const std::filesystem::path& chosen, const MouseConfig& config,
                                        const ButtonLabels& labels) {
  std::string path = chosen.string();
  std::string name = chosen.filename().string();
  if (!Contains(path, ".bin")) path += ".bin";
  if (!Contains(name, ".bin")) name += ".bin";

  labelPath_ = ReplaceAll(path, ".bin", ".ini");
  Status status = WriteLabels(labels);
  configPath_ = path;
  if (Status written = WriteReporting(configPath_, config); !written) status = written;

  // The second copy beside the program never replaces the factory pair or the macro file.
  const std::string labelName = ReplaceAll(name, ".bin", ".ini");
  if (name != "config.bin" && labelName != "str.ini" && labelName != "record.ini") {
    labelPath_ = folder_.File(labelName);
    if (Status written = WriteLabels(labels); !written && status) status = written;
    configPath_ = folder_.File(name);
    if (Status written = WriteReporting(configPath_, config); !written && status) status = written;
  }
  // What is saved next goes into the current profile again, never into the exported copies.
  FormProfilePaths();
  return status;
}

LabelSettings ConfigFiles::ReadLabels() const { return korvane::ReadLabels(labelPath_, languageCode_); }

Status ConfigFiles::WriteLabels(const ButtonLabels& labels) const {
  return korvane::WriteLabels(labelPath_, languageCode_, labels);
}

}  // namespace korvane
