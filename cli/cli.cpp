#include "cli/cli.h"

#include <algorithm>
#include <array>

#include "cli/commands.h"
#include "common/numbers.h"
#include "common/path_text.h"

namespace korvane::cli {

namespace {

constexpr std::string_view kUsage =
    "usage: korvanectl [--home DIR] [--emulate] COMMAND [ARGS]\n"
    "       korvanectl [--home DIR] --help | --version\n"
    "\n"
    "Configures the gaming mouse (USB 04D9:A0F4) from a terminal.\n"
    "\n"
    "  --home DIR   program folder with the profiles (default: the folder of korvanectl when it holds\n"
    "               the factory files, else the user's folder ~/.config/korvane of an installed program)\n"
    "  --emulate    use the emulated mouse instead of the real one\n"
    "  --version    the version and the folders in use\n"
    "\n"
    "commands:\n"
    "  show      every setting of a profile\n"
    "  set       change one setting of a profile file (nothing is sent to the mouse)\n"
    "  pages     the pages an upload would send\n"
    "  macros    the macros of record.ini\n"
    "  upload    send a profile to the mouse and save it\n"
    "  profiles  list, add, rename, copy and delete profiles; choose the current one; link them to\n"
    "            applications\n"
    "  devices   the HID interfaces of this machine\n"
    "  events    print what the mouse reports (stage and macro switches)\n"
    "  export    write a profile to a file (--json: as text)\n"
    "  import    replace a profile with a file\n"
    "  reset     restore the factory settings (the macros stay)\n"
    "  keys      the key, modifier and list names that 'set button' takes\n"
    "\n"
    "'korvanectl COMMAND --help' describes a command.\n";

constexpr std::string_view kTargetHelp =
    "  --profile N   profile N (0-5) of the program folder\n"
    "  --file FILE   a profile file (FILE.bin, with its labels in FILE.ini)\n"
    "                (default: the current profile of the profile list)\n";

struct CommandEntry {
  std::string_view name;
  Status (*run)(const Context&, ArgReader&);
  std::string_view usage;
  bool takesTarget;
  std::string (*moreUsage)() = nullptr;  // usage lines made from the value rules
};

const std::array<CommandEntry, 12> kCommands = {{
    {"show", ShowCommand, "show [--profile N | --file FILE] [--json]\n  --json        print JSON with the record's field names\n", true},
    {"set", SetCommand, "set [--profile N | --file FILE] SETTING VALUE...\n", true, SetSettingsHelp},
    {"pages", PagesCommand, "pages [--profile N | --file FILE]\n  prints the settings, key and twelve macro pages as hex bytes\n", true},
    {"macros", MacrosCommand, "macros [--record FILE] [--encode | --store [--profile N | --file FILE]]\n  --record FILE  a macro file other than record.ini of the program folder\n  --encode       print the twelve macro pages instead\n  --store        put the twelve macro pages into a profile (the current one by default), so\n                 that the next upload gives them to the mouse\n", false},
    {"upload", UploadCommand, "upload [--profile N] [--trace]\n  --trace       print every report exchanged with the mouse\n", false},
    {"profiles", ProfilesCommand,
     "profiles [list [--json] | new NAME | rename N NAME | copy N NAME | delete N | use N|NAME [--trace] |\n"
     "          link N|NAME APP_ID | unlink APP_ID | default N|NAME | default --clear]\n"
     "  list          (the default) the profiles by position, the current one marked with *, the default\n"
     "                one and the applications linked to each\n"
     "  --json        print a JSON array of {position, name, current, default, applications}\n"
     "  new NAME      add a profile with the factory settings at the end\n"
     "  rename N NAME give profile N another name; its links follow it\n"
     "  copy N NAME   add a copy of profile N's settings at the end (without its links)\n"
     "  delete N      remove profile N and its links; the profiles after it move up with their\n"
     "                settings, and the first one becomes current when N was\n"
     "  use N|NAME    send the profile to the mouse, as upload does, and make it current\n"
     "  --trace       print every report exchanged with the mouse\n"
     "  link N|NAME APP_ID\n"
     "                use the profile while the application APP_ID has the focus (the window's\n"
     "                class or app id, in any case); an application has one profile\n"
     "  unlink APP_ID remove the application's link\n"
     "  default N|NAME  use the profile for every application without a link\n"
     "  default --clear the first profile is the default again\n"
     "  N is a position (0-5); names are unique, at most 64 bytes, without control characters;\n"
     "  the links are kept in app-profiles.ini of the program folder\n",
     false},
    {"devices", DevicesCommand, "devices\n  lists the HID interfaces and marks the mouse's two\n", false},
    {"events", EventsCommand, "events [--count N] [--timeout SECONDS] [--press-cpi K] [--macro N]\n  --count N      stop after N events\n  --timeout S    give up after S seconds (1-86400) without them\n  --press-cpi K  (with --emulate) press the CPI button K times\n  --macro N      (with --emulate) switch to macro N\n  with --emulate the run ends when the pressed events have come\n", false},
    {"export", ExportCommand,
     "export [--profile N | --file FILE] [--json] FILE\n"
     "  writes the profile to FILE.bin and FILE.ini, and a copy beside the program\n"
     "  --json        write the profile as one JSON file instead: its settings, button labels and\n"
     "                macro pages\n",
     true},
    {"import", ImportCommand,
     "import [--profile N | --file FILE] FILE\n"
     "  replaces the profile's files with FILE.bin and FILE.ini, or with a JSON profile (FILE.json,\n"
     "  or a file that starts with '{'); nothing is written when a value is missing or wrong\n",
     true},
    {"reset", ResetCommand, "reset\n  restores the factory settings of the current profile (macros stay) and uploads them when\n  the mouse is connected\n", false},
    {"keys", KeysCommand, "keys\n  lists the key and modifier names of single-key and combo-key, and the names of each list\n  (scroll, cpi, multimedia, hotkey, windows)\n", false},
}};

}  // namespace

Status OptionValue(std::span<const std::string> words, std::size_t at, std::string& value) {
  const std::string& name = words[at];
  if (at + 1 == words.size()) return Status::Failure(name + " needs a value (see --help)");
  if (words[at + 1].empty()) return Status::Failure(name + " was given an empty value");
  value = words[at + 1];
  return Status::Ok();
}

Status ArgReader::Misuse(std::string message) {
  misused_ = true;
  return Status::Failure(std::move(message));
}

Status ArgReader::TakeOption(std::string_view name, std::string& value) {
  const auto it = std::find(args_.begin(), args_.end(), name);
  if (it == args_.end()) return Status::Ok();
  if (Status s = OptionValue(args_, static_cast<std::size_t>(it - args_.begin()), value); !s) {
    return Misuse(s.message());
  }
  args_.erase(it, it + 2);
  return Status::Ok();
}

bool ArgReader::TakeFlag(std::string_view name) {
  const auto it = std::find(args_.begin(), args_.end(), name);
  if (it == args_.end()) return false;
  args_.erase(it);
  return true;
}

Status ArgReader::RejectUnknownOptions() {
  for (const std::string& word : args_) {
    if (word.starts_with("--")) return Misuse("unknown option " + word);
  }
  return Status::Ok();
}

Status ParseNumber(std::string_view text, long low, long high, std::string_view what, long& value) {
  const std::optional<long long> parsed = WholeNumber(text);
  if (!parsed || *parsed < low || *parsed > high) {
    return Status::Failure(std::string(what) + " must be a whole number from " + std::to_string(low) + " to " +
                           std::to_string(high) + ", not '" + std::string(text) + "'");
  }
  value = static_cast<long>(*parsed);
  return Status::Ok();
}

int Run(std::span<const std::string> words, std::ostream& out, std::ostream& err) {
  std::string home;
  // Global options stand before the command.
  Args args(words.begin(), words.end());
  bool emulate = false;
  bool version = false;
  std::size_t at = 0;
  for (; at < args.size() && args[at].starts_with("--"); ++at) {
    if (args[at] == "--help") {
      out << kUsage;
      return 0;
    }
    if (args[at] == "--emulate") {
      emulate = true;
    } else if (args[at] == "--version") {
      version = true;
    } else if (args[at] == "--home") {
      if (Status s = OptionValue(args, at++, home); !s) {
        err << "korvanectl: " << s.message() << '\n';
        return 2;
      }
    } else {
      err << "korvanectl: unknown option " << args[at] << " (see korvanectl --help)\n";
      return 2;
    }
  }
  const std::filesystem::path homePath = PathFromUtf8(home);
  if (!home.empty() && !std::filesystem::is_directory(homePath)) {
    err << "korvanectl: " << home << " is not a folder\n";
    return 1;
  }
  const ProgramFolder folder = home.empty() ? ProgramFolder::OfExecutable() : ProgramFolder(homePath);
  if (version) {
    out << "korvanectl " << KORVANE_VERSION << '\n' << folder.Describe();
    return 0;
  }
  if (at == args.size()) {
    err << kUsage;
    return 2;
  }
  const std::string name = args[at];
  const auto command = std::find_if(kCommands.begin(), kCommands.end(), [&](const CommandEntry& c) { return c.name == name; });
  if (command == kCommands.end()) {
    err << "korvanectl: unknown command '" << name << "' (see korvanectl --help)\n";
    return 2;
  }
  ArgReader commandArgs(Args(args.begin() + static_cast<long>(at) + 1, args.end()));
  if (commandArgs.TakeFlag("--help")) {
    out << "usage: korvanectl [--home DIR] [--emulate] " << command->usage;
    if (command->moreUsage != nullptr) out << command->moreUsage();
    if (command->takesTarget) out << kTargetHelp;
    return 0;
  }
  const Context context{folder, emulate, out, err};
  if (const Status seeded = context.folder.Seed(); !seeded) {
    err << "korvanectl: " << seeded.message() << '\n';
    return 1;
  }
  const Status status = command->run(context, commandArgs);
  if (!status) {
    err << "korvanectl: " << status.message() << '\n';
    return commandArgs.misused() ? 2 : 1;
  }
  return 0;
}

}  // namespace korvane::cli
