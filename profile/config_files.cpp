#include "profile/config_files.h"

#include <algorithm>
#include <array>
#include <vector>

#include "common/file_io.h"
#include "common/numbers.h"
#include "common/path_text.h"
#include "config/factory_profile.h"
#include "config/ini_file.h"
#include "config/value_rules.h"
#include "keys/button_catalogue.h"
#include "macro/macro_section.h"

namespace korvane {

namespace {

bool Contains(const std::string& text, std::string_view part) { return text.find(part) != std::string::npos; }

std::vector<std::string> MacroNamesIn(const ProgramFolder& folder) {
  return MacroNames(IniFile(folder.File(kMacroFileName)).Load());
}

// The bytes of a label file with the labels set in the language's section, all else kept as it is.
Status LabelFileBytes(const std::filesystem::path& path, std::string_view languageCode, const ButtonLabels& labels,
                      std::string& bytes) {
  IniDocument document;
  if (std::error_code error; std::filesystem::exists(std::filesystem::symlink_status(path, error))) {
    std::string current;
    if (Status read = ReadRegularFile(path, current); !read) return read;
    document = IniDocument::Parse(current);
  }
  const std::string section = LabelSectionName(languageCode);
  for (std::size_t i = 0; i < kButtonCount; ++i) document.Set(section, ItemKey(i + 1), labels[i]);
  bytes = document.Serialize();
  return Status::Ok();
}

Status WritePair(const ProfilePair& pair, std::string_view languageCode, const MouseConfig& config,
                 const ButtonLabels& labels) {
  std::array<FileContents, 2> files = {FileContents{pair.config, ConfigFileBytes(config)},
                                       FileContents{pair.labels, {}}};
  if (Status s = LabelFileBytes(pair.labels, languageCode, labels, files[1].bytes); !s) return s;
  // The record goes first: should the labels not follow (a crash between the two), they are made anew
  // from the record when the pair is next read.
  return ReplaceFiles(files);
}

Status ReadLabelFile(const std::filesystem::path& path, std::string_view languageCode, LabelSettings& labels) {
  std::string bytes;
  if (Status read = ReadRegularFile(path, bytes); !read) return read;
  labels = LabelsFromDocument(IniDocument::Parse(bytes), languageCode);
  return Status::Ok();
}

}  // namespace

bool RepairLabels(const MouseConfig& config, std::span<const std::string> macroNames, std::string_view languageCode,
                  ButtonLabels& labels) {
  // A button that still has its factory function may carry the factory label, which is worded a little
  // differently from the list the function is chosen from ("CPI loop").
  const MouseConfig factory = FactoryConfig();
  const ButtonLabels factoryLabels = DefaultLabels(languageCode);
  const auto hasFactoryFunction = [&](int button) {
    if (config.buttonKind[button] != factory.buttonKind[button]) return false;
    for (std::size_t k = 0; k < kButtonArgArrays; ++k) {
      if (config.buttonArg[k][button] != factory.buttonArg[k][button]) return false;
    }
    return true;
  };
  bool changed = false;
  for (int button = 0; button < static_cast<int>(kButtonCount); ++button) {
    std::string& label = labels[static_cast<std::size_t>(button)];
    const std::string made = LabelFromRecord(config, button, macroNames, languageCode);
    if (made.empty() || made == label) continue;
    if (label == factoryLabels[static_cast<std::size_t>(button)] && hasFactoryFunction(button)) continue;
    // Without record.ini's name for its macro, a macro key's label cannot be judged; it stays.
    const bool unknownMacro = config.buttonKind[button] == static_cast<Byte>(ButtonKind::MacroKey) &&
                              config.Arg(kMacroNumberArg, button) >= macroNames.size();
    if (unknownMacro && !label.empty()) continue;
    label = hasFactoryFunction(button) ? factoryLabels[static_cast<std::size_t>(button)] : made;
    changed = true;
  }
  return changed;
}

ProfilePair ConfigFiles::ProfileFiles(int index) const {
  return {folder_.File(ProfileConfigName(index)), folder_.File(ProfileLabelName(index))};
}

Status ConfigFiles::CurrentProfileIndex(int& index) const {
  std::string bytes;
  if (Status read = ReadRegularFile(profileListPath(), bytes); !read) {
    return Status::Failure("cannot read the profile list: " + read.message(), read.errorCode());
  }
  const IniDocument list = IniDocument::Parse(bytes);
  const int count = LeadingInt(list.Get("Profile", "ItemCount"));
  if (!ProfileCountAccepted(count)) {
    return Status::Failure(PathToUtf8(profileListPath()) + " has no usable profile list (ItemCount must be 1 to 6)");
  }
  const std::string currentName = list.Get("Profile", "CurProfileName");
  for (int i = 0; i < count; ++i) {
    if (list.Get("Profile", ItemKey(i)) == currentName) index = i;
  }
  if (index < 0 || index >= kMaxProfiles) index = 0;
  return Status::Ok();
}

std::string ConfigFiles::LanguageOf(const ProfilePair& pair) const { return ReadLanguageCode(pair.labels); }

Status ConfigFiles::Load(const ProfilePair& pair, std::string_view languageCode, StoredProfile& profile) const {
  ConfigFileContent content;
  if (Status s = ReadConfigFile(pair.config, content); !s) return s;
  StoredProfile loaded;
  loaded.firstRunFlag = content.firstRunFlag;
  loaded.config = content.config;
  // A missing label file reads as empty labels, which are then made from the record.
  if (std::error_code error; std::filesystem::exists(std::filesystem::symlink_status(pair.labels, error))) {
    if (Status s = ReadLabelFile(pair.labels, languageCode, loaded.labels); !s) return s;
  }
  // A file never written by the program gets the language's default labels instead (first run).
  if (loaded.firstRunFlag != 0) {
    loaded.labelsRebuilt = RepairLabels(loaded.config, MacroNamesIn(folder_), languageCode, loaded.labels.buttonLabel);
  }
  profile = std::move(loaded);
  return Status::Ok();
}

Status ConfigFiles::Save(const ProfilePair& pair, std::string_view languageCode, const MouseConfig& config,
                         const ButtonLabels& labels) const {
  std::error_code error;
  if (!std::filesystem::exists(pair.config, error)) {
    return Status::Failure(std::string(kConfigMissingMessage) + " (" + PathToUtf8(pair.config) + ")");
  }
  return WritePair(pair, languageCode, config, labels);
}

Status ConfigFiles::LoadDefaults(std::string_view languageCode, MouseConfig& config, LabelSettings& labels) const {
  const ProfilePair factory = FactoryFiles();
  ConfigFileContent content;
  if (Status s = ReadConfigFile(factory.config, content); !s) return s;
  LabelSettings factoryLabels;
  if (Status s = ReadLabelFile(factory.labels, languageCode, factoryLabels); !s) return s;
  const Byte profileSlot = config.profileSlot;
  config.ReplaceSettingsAndButtons(content.config.ToBytes());
  config.profileSlot = profileSlot;
  labels = std::move(factoryLabels);
  RepairLabels(config, MacroNamesIn(folder_), languageCode, labels.buttonLabel);
  return Status::Ok();
}

Status ConfigFiles::Import(const std::filesystem::path& chosen, std::string_view languageCode,
                           StoredProfile& profile) const {
  const std::string path = PathToUtf8(chosen);
  if (!Contains(path, ".bin")) return Status::Failure(path + " is not a .bin profile file");
  StoredProfile imported;
  ConfigFileContent content;
  if (Status s = ReadConfigFile(chosen, content); !s) return s;
  imported.firstRunFlag = content.firstRunFlag;
  imported.config = content.config;
  const std::filesystem::path labelPath = PathFromUtf8(CompanionLabelPath(path));
  if (std::error_code error; std::filesystem::exists(std::filesystem::symlink_status(labelPath, error))) {
    if (Status s = ReadLabelFile(labelPath, languageCode, imported.labels); !s) return s;
  }
  imported.labelsRebuilt = RepairLabels(imported.config, MacroNamesIn(folder_), languageCode,
                                        imported.labels.buttonLabel);
  profile = std::move(imported);
  return Status::Ok();
}

Status ConfigFiles::Export(const std::filesystem::path& chosen, std::string_view languageCode,
                           const MouseConfig& config, const ButtonLabels& labels) const {
  std::string path = PathToUtf8(chosen);
  std::string name = PathToUtf8(chosen.filename());
  if (name.empty() || name == ".bin") return Status::Failure("an exported profile needs a file name");
  if (!Contains(path, ".bin")) path += ".bin";
  if (!Contains(name, ".bin")) name += ".bin";
  const std::string labelName = CompanionLabelPath(name);
  // The second copy beside the program must not replace one of the program's own files.
  if (IsProgramFileName(name) || IsProgramFileName(labelName)) {
    return Status::Failure(name + " is the name of one of the program's own files; choose another name");
  }
  if (Status s = WritePair({PathFromUtf8(path), PathFromUtf8(CompanionLabelPath(path))}, languageCode, config, labels); !s) return s;
  const ProfilePair copy{folder_.File(name), folder_.File(labelName)};
  if (copy.config == PathFromUtf8(path)) return Status::Ok();
  return WritePair(copy, languageCode, config, labels);
}

}  // namespace korvane
