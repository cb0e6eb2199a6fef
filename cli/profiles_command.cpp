#include <algorithm>
#include <optional>

#include "app/app_profiles.h"
#include "app/profile_manager.h"
#include "cli/commands.h"
#include "cli/json_writer.h"
#include "cli/window_handoff.h"
#include "common/folder_lock.h"
#include "common/numbers.h"
#include "common/path_text.h"
#include "profile/config_files.h"

namespace korvane::cli {

namespace {

// The list as the profile manager reads it, and the current position as start-up chooses it (the name
// matched exactly), which is the profile upload sends and show reads.
struct Profiles {
  std::optional<ProfileManagerModel> model;
  int current = 0;

  const std::vector<ProfileManagerModel::Entry>& entries() const { return model->entries(); }
  int count() const { return static_cast<int>(entries().size()); }
};

Status ReadProfiles(const Context& context, Profiles& profiles) {
  const ConfigFiles files(context.folder);
  if (Status s = files.CurrentProfileIndex(profiles.current); !s) return s;
  AppProfiles rules;
  if (Status s = ReadAppProfiles(context.folder.File(kAppProfilesName), rules); !s) return s;
  const ProfileManagerStrings& strings = ProfileManagerStringsFor(Language::English);
  profiles.model.emplace(ReadProfileList(files.profileListPath()), strings.copyItem, strings.newProfilePrefix,
                         Language::English, std::move(rules));
  return Status::Ok();
}

// A position of the list, 0 to count - 1.
Status ParsePosition(std::string_view word, const Profiles& profiles, int& position) {
  long value = 0;
  if (Status s = ParseNumber(word, 0, profiles.count() - 1, "profile", value); !s) return s;
  position = static_cast<int>(value);
  return Status::Ok();
}

// The manager's refusals, in its words.
Status Refused(const ProfileManagerModel& model, ProfileManagerModel::Outcome outcome) {
  const std::string_view refusal = model.RefusalOf(outcome);
  return refusal.empty() ? Status::Ok() : Status::Failure(std::string(refusal));
}

Status Renamed(ProfileManagerModel& model, int position, std::string_view name) {
  const std::string refusal = model.Rename(position, name);
  return refusal.empty() ? Status::Ok() : Status::Failure(refusal);
}

// The position N or the one profile named NAME. A number is always a position.
Status ChooseProfile(std::string_view word, const Profiles& profiles, int& position) {
  if (WholeNumber(word)) return ParsePosition(word, profiles, position);
  for (int i = 0; i < profiles.count(); ++i) {
    if (profiles.entries()[static_cast<std::size_t>(i)].name != word) continue;
    position = i;
    return Status::Ok();
  }
  return Status::Failure("no profile is named '" + std::string(word) + "' (see korvanectl profiles)");
}

// The list stores the current profile by its name, and start-up takes the last entry of that name: a
// profile that shares its name with a later one cannot become current.
Status RefuseSharedName(const Profiles& profiles, int position) {
  const std::string& name = profiles.entries()[static_cast<std::size_t>(position)].name;
  for (int i = 0; i < profiles.count(); ++i) {
    if (i != position && profiles.entries()[static_cast<std::size_t>(i)].name == name) {
      return Status::Failure("profiles " + std::to_string(std::min(i, position)) + " and " +
                             std::to_string(std::max(i, position)) + " are both named '" + name +
                             "'; give one another name with korvanectl profiles rename first");
    }
  }
  return Status::Ok();
}

// Each profile with the applications linked to it; the one every other application gets is the default.
void PrintList(const Context& context, const Profiles& profiles, bool json) {
  const AppProfiles rules = profiles.model->rules();
  std::vector<std::string> names;
  for (const auto& entry : profiles.entries()) names.push_back(entry.name);
  const std::string defaultName = rules.DefaultFor(names);
  if (!json) {
    for (int i = 0; i < profiles.count(); ++i) {
      const std::string& name = names[static_cast<std::size_t>(i)];
      context.out << (i == profiles.current ? "* " : "  ") << i << "  " << name;
      if (name == defaultName) context.out << "  (default)";
      const std::vector<std::string> apps = rules.LinkedTo(name);
      for (std::size_t a = 0; a < apps.size(); ++a) context.out << (a == 0 ? "  linked: " : ", ") << apps[a];
      context.out << '\n';
    }
    return;
  }
  JsonWriter writer(context.out);
  writer.BeginArray();
  for (int i = 0; i < profiles.count(); ++i) {
    const std::string& name = names[static_cast<std::size_t>(i)];
    writer.BeginObject();
    writer.Value("position", i);
    writer.Value("name", name);
    writer.Boolean("current", i == profiles.current);
    writer.Boolean("default", name == defaultName);
    writer.BeginArray("applications");
    for (const std::string& app : rules.LinkedTo(name)) writer.Value(app);
    writer.EndArray();
    writer.EndObject();
  }
  writer.EndArray();
}

// A profile that the rules for applications can name: its name is its own.
Status ChooseNamedProfile(std::string_view word, const Profiles& profiles, int& position) {
  if (Status s = ChooseProfile(word, profiles, position); !s) return s;
  return RefuseSharedName(profiles, position);
}

// Applies an edit of the list or of its rules for applications to the model and gives the position that
// is current afterwards.
Status EditList(const std::string& action, const Args& words, bool clear, Profiles& profiles, int& current) {
  ProfileManagerModel& model = *profiles.model;
  const auto needs = [&](std::size_t count, std::string_view shape) {
    return words.size() == count ? Status::Ok()
                                 : Status::Failure("profiles " + action + " takes " + std::string(shape));
  };
  int position = 0;
  if (action == "new") {
    if (Status s = needs(1, "NAME"); !s) return s;
    if (Status s = Refused(model, model.New()); !s) return s;
    if (Status s = Renamed(model, profiles.count() - 1, words[0]); !s) return s;
  } else if (action == "rename") {
    if (Status s = needs(2, "N NAME"); !s) return s;
    if (Status s = ParsePosition(words[0], profiles, position); !s) return s;
    if (Status s = Renamed(model, position, words[1]); !s) return s;
  } else if (action == "copy") {
    if (Status s = needs(2, "N NAME"); !s) return s;
    if (Status s = ParsePosition(words[0], profiles, position); !s) return s;
    model.Select(position);
    if (Status s = Refused(model, model.Copy()); !s) return s;
    if (Status s = Renamed(model, profiles.count() - 1, words[1]); !s) return s;
  } else if (action == "delete") {
    if (Status s = needs(1, "N"); !s) return s;
    if (Status s = ParsePosition(words[0], profiles, position); !s) return s;
    model.Select(position);
    if (Status s = Refused(model, model.Delete()); !s) return s;
  } else if (action == "link") {
    if (Status s = needs(2, "N|NAME APP_ID"); !s) return s;
    if (Status s = ChooseNamedProfile(words[0], profiles, position); !s) return s;
    if (const std::string refusal = model.Link(position, words[1]); !refusal.empty()) return Status::Failure(refusal);
  } else if (action == "unlink") {
    if (Status s = needs(1, "APP_ID"); !s) return s;
    if (!model.Unlink(words[0])) {
      return Status::Failure("'" + words[0] + "' is linked to no profile (see korvanectl profiles)");
    }
  } else if (action == "default") {
    if (clear) {
      if (Status s = needs(0, "--clear alone"); !s) return s;
      model.SetDefault(-1);
    } else {
      if (Status s = needs(1, "N|NAME, or --clear"); !s) return s;
      if (Status s = ChooseNamedProfile(words[0], profiles, position); !s) return s;
      model.SetDefault(position);
    }
  } else {
    return Status::Failure("unknown profiles action '" + action + "' (see korvanectl profiles --help)");
  }
  // The current profile stays current wherever the edit moved it. When it was deleted, the first one
  // becomes current, as when the manager closes with nothing selected.
  current = std::max(model.PositionOf(profiles.current), 0);
  return Status::Ok();
}

// The profile use names, as the list is now: one that can become current.
Status ChooseUsableProfile(const Context& context, const std::string& word, Profiles& profiles, int& position) {
  if (Status s = ReadProfiles(context, profiles); !s) return s;
  return ChooseNamedProfile(word, profiles, position);
}

Status UseProfileCommand(const Context& context, const Args& words, bool trace) {
  if (words.size() != 1) return Status::Failure("profiles use takes N or NAME");
  Profiles profiles;
  int position = 0;
  // A window that edits this folder owns the mouse: it makes the switch, taking the lock itself.
  if (Status s = ChooseUsableProfile(context, words[0], profiles, position); !s) return s;
  if (const WindowAnswer answer = AskWindowToUseProfile(context.folder.dir(), position, SessionBusRunner());
      answer.handled) {
    if (trace && answer.status) context.err << "korvanectl: the running window sent the profile; there is no trace\n";
    return answer.status;
  }
  FolderLock lock;
  if (Status s = FolderLock::Acquire(context.folder.dir(), lock); !s) return s;
  if (Status s = ChooseUsableProfile(context, words[0], profiles, position); !s) return s;
  // The list changes only once the mouse has taken the profile.
  if (Status s = UploadProfile(context, position, trace); !s) return s;
  const Status written = WriteProfileManager(context.folder, *profiles.model, position);
  if (!written) {
    return Status::Failure("the mouse has profile " + std::to_string(position) +
                           ", but the profile list could not make it current: " + written.message());
  }
  return Status::Ok();
}

}  // namespace

Status ProfilesCommand(const Context& context, ArgReader& args) {
  const bool json = args.TakeFlag("--json");
  const bool trace = args.TakeFlag("--trace");
  const bool clear = args.TakeFlag("--clear");
  if (Status s = args.RejectUnknownOptions(); !s) return s;
  Args words = args.rest();
  const std::string action = words.empty() ? "list" : words.front();
  if (!words.empty()) words.erase(words.begin());
  if (json && action != "list") return Status::Failure("--json goes with profiles list only");
  if (trace && action != "use") return Status::Failure("--trace goes with profiles use only");
  if (clear && action != "default") return Status::Failure("--clear goes with profiles default only");

  if (action == "use") return UseProfileCommand(context, words, trace);

  // Under the lock the list and the current name are read from one version of str.ini, and an edit
  // moves files that no other command is writing.
  FolderLock lock;
  if (Status s = FolderLock::Acquire(context.folder.dir(), lock); !s) return s;
  Profiles profiles;
  if (Status s = ReadProfiles(context, profiles); !s) return s;
  if (action == "list") {
    if (!words.empty()) return Status::Failure("profiles list takes no further arguments");
    PrintList(context, profiles, json);
    return Status::Ok();
  }
  int current = 0;
  if (Status s = EditList(action, words, clear, profiles, current); !s) return s;
  return WriteProfileManager(context.folder, *profiles.model, current);
}

}  // namespace korvane::cli
