#include "cli/commands.h"
#include "cli/profile_target.h"
#include "config/config_files.h"

namespace korvane::cli {

namespace {

Status TakeFileArgument(ArgReader& args, std::string_view command, std::string& file) {
  if (Status s = args.RejectUnknownOptions(); !s) return s;
  if (args.rest().size() != 1) return Status::Failure(std::string(command) + " takes one FILE");
  file = args.rest()[0];
  return Status::Ok();
}

}  // namespace

Status ExportCommand(const Context& context, ArgReader& args) {
  std::string file;
  if (Status s = TakeFileArgument(args, "export", file); !s) return s;
  ProfileTarget target;
  if (Status s = TakeProfileTarget(context, args, target); !s) return s;
  LoadedProfile profile;
  if (Status s = LoadProfile(target, profile); !s) return s;
  SilentMessages messages;
  ConfigFiles files(context.folder, messages);
  files.setLanguageCode(target.languageCode);
  return files.ExportConfiguration(file, profile.config, profile.labels.buttonLabel);
}

Status ImportCommand(const Context& context, ArgReader& args) {
  std::string file;
  if (Status s = TakeFileArgument(args, "import", file); !s) return s;
  ProfileTarget target;
  if (Status s = TakeProfileTarget(context, args, target); !s) return s;
  FolderLock lock;
  if (Status s = LockProfileFolder(target, lock); !s) return s;
  SilentMessages messages;
  ConfigFiles files(context.folder, messages);
  files.setLanguageCode(target.languageCode);
  LoadedProfile profile;
  bool labelsRebuilt = false;
  if (Status s = files.ImportConfiguration(file, profile.config, profile.labels, &labelsRebuilt); !s) return s;
  const Status judged =
      RefuseOutOfRange(file, profile.config, "nothing was written; korvanectl set --file mends a value");
  if (!judged) return judged;
  if (labelsRebuilt) {
    context.err << "korvanectl: " << file << " has no .ini beside it; the button labels were rebuilt from its "
                << "settings\n";
  }
  return SaveProfile(target, profile);
}

}  // namespace korvane::cli
