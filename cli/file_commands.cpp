#include "cli/commands.h"
#include "cli/profile_target.h"
#include "common/path_text.h"
#include "profile/config_files.h"

namespace korvane::cli {

namespace {

Status TakeFileArgument(ArgReader& args, std::string_view command, std::filesystem::path& file) {
  if (Status s = args.RejectUnknownOptions(); !s) return s;
  if (args.rest().size() != 1) return Status::Failure(std::string(command) + " takes one FILE");
  file = PathFromUtf8(args.rest()[0]);
  return Status::Ok();
}

}  // namespace

Status ExportCommand(const Context& context, ArgReader& args) {
  std::filesystem::path file;
  if (Status s = TakeFileArgument(args, "export", file); !s) return s;
  ProfileTarget target;
  if (Status s = TakeProfileTarget(context, args, target); !s) return s;
  LoadedProfile profile;
  if (Status s = LoadProfile(context, target, profile); !s) return s;
  return ConfigFiles(context.folder).Export(file, target.languageCode, profile.config, profile.labels.buttonLabel);
}

Status ImportCommand(const Context& context, ArgReader& args) {
  std::filesystem::path file;
  if (Status s = TakeFileArgument(args, "import", file); !s) return s;
  ProfileTarget target;
  if (Status s = TakeProfileTarget(context, args, target); !s) return s;
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
