#include <sstream>

#include "cli/commands.h"
#include "cli/profile_json.h"
#include "cli/profile_target.h"
#include "common/file_io.h"
#include "common/path_text.h"
#include "config/config_file.h"
#include "config/ini_file.h"
#include "config/value_rules.h"
#include "macro/macro_section.h"
#include "profile/config_files.h"

namespace korvane::cli {

namespace {

// A profile as JSON is a few kilobytes; anything much larger is not one.
constexpr std::size_t kMaxJsonFileBytes = 1u << 20;

// The target options come first, so that what stays is the FILE.
Status TakeFileArgument(const Context& context, ArgReader& args, std::string_view command, ProfileTarget& target,
                        std::filesystem::path& file) {
  if (Status s = TakeProfileTarget(context, args, target); !s) return s;
  if (Status s = args.RejectUnknownOptions(); !s) return s;
  if (args.rest().size() != 1) return Status::Failure(std::string(command) + " takes one FILE");
  file = PathFromUtf8(args.rest()[0]);
  return Status::Ok();
}

// A JSON profile is named so, or starts with '{' (after a byte-order mark and blanks). A .bin file starts
// with its first-run flag, 0 or 1, so the two never meet.
bool LooksLikeJson(const std::filesystem::path& file, std::string& bytes) {
  if (file.extension() == ".json") return true;
  if (!ReadRegularFile(file, bytes, kMaxJsonFileBytes)) return false;
  std::string_view text = bytes;
  if (text.starts_with("\xEF\xBB\xBF")) text.remove_prefix(3);
  const std::size_t start = text.find_first_not_of(" \t\r\n");
  return start != std::string_view::npos && text[start] == '{';
}

Status ExportJson(const Context& context, const ProfileTarget& target, const std::filesystem::path& file) {
  if (IsProgramFileName(PathToUtf8(file.filename()))) {
    return Status::Failure(PathToUtf8(file.filename()) + " is the name of one of the program's own files; choose another name");
  }
  LoadedProfile profile;
  if (Status s = LoadProfile(context, target, profile); !s) return s;
  std::ostringstream text;
  WriteProfileJson(text, profile.config, profile.labels.buttonLabel);
  return WriteFileReplacing(file, text.str());
}

Status ImportJson(const Context& context, const ProfileTarget& target, const std::filesystem::path& file,
                  std::string bytes) {
  const std::string name = PathToUtf8(file);
  if (bytes.empty()) {
    if (Status s = ReadRegularFile(file, bytes, kMaxJsonFileBytes); !s) return s;
  }
  FolderLock lock;
  if (Status s = LockProfileFolder(target, lock); !s) return s;
  // profileSlot is not in the text: the mouse sets it. The target keeps its own.
  ConfigFileContent current;
  LoadedProfile profile;
  if (ReadConfigFile(target.configPath, current)) profile.config.profileSlot = current.config.profileSlot;
  if (Status s = ReadProfileJson(bytes, profile.config, profile.labels.buttonLabel); !s) {
    return Status::Failure(name + ": " + s.message() + "; nothing was written");
  }
  if (Status s = RefuseOutOfRange(file, profile.config, "nothing was written; mend the value in the file"); !s) return s;
  const std::vector<std::string> macroNames = MacroNames(IniFile(context.folder.File(kMacroFileName)).Load());
  if (RepairLabels(profile.config, macroNames, target.languageCode, profile.labels.buttonLabel)) {
    context.err << "korvanectl: the button labels of " << name << " were empty or named other functions; they "
                << "were made anew from its settings\n";
  }
  return SaveProfile(context, target, profile);
}

}  // namespace

Status ExportCommand(const Context& context, ArgReader& args) {
  const bool json = args.TakeFlag("--json");
  ProfileTarget target;
  std::filesystem::path file;
  if (Status s = TakeFileArgument(context, args, "export", target, file); !s) return s;
  if (json) return ExportJson(context, target, file);
  LoadedProfile profile;
  if (Status s = LoadProfile(context, target, profile); !s) return s;
  return ConfigFiles(context.folder).Export(file, target.languageCode, profile.config, profile.labels.buttonLabel);
}

Status ImportCommand(const Context& context, ArgReader& args) {
  ProfileTarget target;
  std::filesystem::path file;
  if (Status s = TakeFileArgument(context, args, "import", target, file); !s) return s;
  if (std::string bytes; LooksLikeJson(file, bytes)) return ImportJson(context, target, file, std::move(bytes));
  FolderLock lock;
  if (Status s = LockProfileFolder(target, lock); !s) return s;
  LoadedProfile profile;
  if (Status s = ConfigFiles(context.folder).Import(file, target.languageCode, profile); !s) return s;
  const Status judged =
      RefuseOutOfRange(file, profile.config, "nothing was written; korvanectl set --file mends a value");
  if (!judged) return judged;
  if (profile.labelsRebuilt) {
    context.err << "korvanectl: the button labels of " << PathToUtf8(file) << " were missing or named other functions; they "
                << "were made anew from its settings\n";
  }
  return SaveProfile(context, target, profile);
}

}  // namespace korvane::cli
