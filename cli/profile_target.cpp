#include "cli/profile_target.h"

#include "config/config_validation.h"
#include "common/path_text.h"
#include "config/value_rules.h"
#include "profile/config_files.h"
#include "profile/record_validation.h"

namespace korvane::cli {

Status TakeProfileTarget(const Context& context, ArgReader& args, ProfileTarget& target) {
  std::string profile, file;
  if (Status s = args.TakeOption("--profile", profile); !s) return s;
  if (Status s = args.TakeOption("--file", file); !s) return s;
  if (!profile.empty() && !file.empty()) return Status::Failure("use either --profile or --file, not both");

  if (!file.empty()) {
    target.configPath = PathFromUtf8(file);
    if (target.configPath.extension() != ".bin") return Status::Failure(file + ": a profile file name ends in .bin");
    target.labelPath = PathFromUtf8(CompanionLabelPath(file));
  } else if (!profile.empty()) {
    long index = 0;
    if (Status s = ParseNumber(profile, 0, kMaxProfiles - 1, "profile", index); !s) return s;
    const ProfilePair pair = ConfigFiles(context.folder).ProfileFiles(static_cast<int>(index));
    target.configPath = pair.config;
    target.labelPath = pair.labels;
  } else {
    const ConfigFiles files(context.folder);
    int index = 0;
    if (Status s = files.CurrentProfileIndex(index); !s) return Status::Failure(s.message() + "; use --profile N");
    target.configPath = files.ProfileFiles(index).config;
    target.labelPath = files.ProfileFiles(index).labels;
  }
  target.languageCode = ReadLanguageCode(target.labelPath);
  return Status::Ok();
}

Status LockProfileFolder(const ProfileTarget& target, FolderLock& lock) {
  return FolderLock::Acquire(target.configPath.parent_path(), lock);
}

Status LoadProfile(const Context& context, const ProfileTarget& target, LoadedProfile& profile) {
  return ConfigFiles(context.folder).Load(target.pair(), target.languageCode, profile);
}

Status SaveProfile(const Context& context, const ProfileTarget& target, const LoadedProfile& profile) {
  return ConfigFiles(context.folder).Save(target.pair(), target.languageCode, profile.config,
                                          profile.labels.buttonLabel);
}

Status RefuseOutOfRange(const std::filesystem::path& source, const MouseConfig& config,
                        std::string_view notDone) {
  const std::vector<FieldProblem> problems = ValidateConfig(config);
  if (problems.empty()) return Status::Ok();
  return Status::Failure(PathToUtf8(source) + " has values outside their ranges: " + DescribeProblems(problems) +
                         "; " + std::string(notDone));
}

}  // namespace korvane::cli
