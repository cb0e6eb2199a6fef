#include <algorithm>

#include "cli/commands.h"
#include "cli/profile_target.h"
#include "common/file_io.h"
#include "common/path_text.h"
#include "device/transport.h"
#include "config/settings_page.h"
#include "config/value_rules.h"
#include "keys/key_page.h"
#include "macro/macro_encoding.h"

namespace korvane::cli {

namespace {

void PrintMacroPages(std::ostream& out, const std::array<DevicePage, kMacroCount>& pages) {
  for (std::size_t n = 0; n < pages.size(); ++n) out << "macro " << n + 1 << ": " << HexBytes(pages[n]) << '\n';
}

// One line on err for each value of record.ini that the pages do not carry as written.
void ReportEncodingChanges(std::ostream& err, const std::filesystem::path& path,
                           const std::vector<std::string>& names, const MacroEncoding& encoding) {
  const std::string prefix = "korvanectl: note: " + PathToUtf8(path) + ": ";
  for (std::size_t k = 0; k < kMacroCount && k < names.size(); ++k) {
    const MacroPageChanges& changes = encoding.changes[k];
    const std::string macro = prefix + "macro " + std::to_string(k) + " (" + names[k] + "): ";
    if (changes.loopCountReplaced) {
      err << macro << "loop count '" << changes.loopCountText << "' is not 1-65535; page " << k + 1
          << " loops once\n";
    }
    if (changes.droppedEvents != 0) {
      err << macro << changes.droppedEvents << " key events do not fit on the 128-byte page and are left out\n";
    }
    if (changes.clampedDelays != 0) {
      err << macro << changes.clampedDelays << " delays are outside 0-" << kMaxMacroDelay
          << " ms and are sent as the nearest of the two\n";
    }
    for (const std::string& name : changes.unknownKeyNames) {
      err << macro << "the mouse has no key '" << name << "'; its events play nothing\n";
    }
  }
  if (encoding.droppedMacros != 0) {
    err << prefix << encoding.droppedMacros << " macros after the twelfth have no page and are left out\n";
  }
  if (encoding.unlistedSections != 0) {
    err << prefix << encoding.unlistedSections
        << " sections are not in the macro list (after a blank name, or past its first 255 characters) "
           "and are left out\n";
  }
}

}  // namespace

Status PagesCommand(const Context& context, ArgReader& args) {
  ProfileTarget target;
  if (Status s = TakeProfileTarget(context, args, target); !s) return s;
  if (Status s = args.RejectUnknownOptions(); !s) return s;
  if (!args.rest().empty()) return Status::Failure("pages takes no further arguments");
  LoadedProfile profile;
  if (Status s = LoadProfile(context, target, profile); !s) return s;
  context.out << "settings: " << HexBytes(BuildSettingsPage(profile.config)) << '\n';
  context.out << "keys: " << HexBytes(BuildKeyPage(profile.config)) << '\n';
  PrintMacroPages(context.out, profile.config.macroData);
  return Status::Ok();
}

Status MacrosCommand(const Context& context, ArgReader& args) {
  std::string record;
  if (Status s = args.TakeOption("--record", record); !s) return s;
  const bool encode = args.TakeFlag("--encode");
  const bool store = args.TakeFlag("--store");
  ProfileTarget target;
  if (store) {
    if (Status s = TakeProfileTarget(context, args, target); !s) return s;
  }
  if (Status s = args.RejectUnknownOptions(); !s) return s;
  if (encode && store) return Status::Failure("macros takes --encode or --store, not both");
  if (!args.rest().empty()) return Status::Failure("macros takes no further arguments");
  // The program folder's record.ini is missing until the first macro is made, and then means no
  // macros; a file named with --record has to exist.
  const std::filesystem::path path = record.empty() ? context.folder.File(kMacroFileName) : PathFromUtf8(record);
  std::error_code error;
  const bool absent = !std::filesystem::exists(std::filesystem::symlink_status(path, error));
  if (!record.empty() && absent) return Status::Failure(PathToUtf8(path) + " does not exist");
  // A record.ini that is there but cannot be read is not an empty one: storing it would blank the
  // profile's macros.
  std::string bytes;
  if (!absent) {
    if (Status s = ReadRegularFile(path, bytes); !s) return s;
  }
  const IniDocument document = IniDocument::Parse(bytes);
  if (store) {
    // The macro pages of the profile are what the mouse plays: the same hand-over as the macro
    // manager's OK, into the profile file, for the next upload.
    const MacroEncoding encoded = EncodeMacroPages(document);
    ReportEncodingChanges(context.err, path, MacroNames(document), encoded);
    FolderLock lock;
    if (Status s = LockProfileFolder(target, lock); !s) return s;
    LoadedProfile profile;
    if (Status s = LoadProfile(context, target, profile); !s) return s;
    profile.config.macroData = encoded.pages;
    if (Status s = SaveProfile(context, target, profile); !s) return s;
    context.out << "stored " << std::min(MacroNames(document).size(), kMacroCount) << " macros in "
                << PathToUtf8(target.configPath) << "; 'korvanectl upload' sends them to the mouse\n";
    return Status::Ok();
  }
  if (encode) {
    const MacroEncoding encoded = EncodeMacroPages(document);
    PrintMacroPages(context.out, encoded.pages);
    ReportEncodingChanges(context.err, path, MacroNames(document), encoded);
    return Status::Ok();
  }
  const std::vector<std::string> names = MacroNames(document);
  for (std::size_t n = 0; n < names.size(); ++n) {
    const MacroSection section = ReadMacroSection(document, names[n]);
    context.out << "macro " << n << ": " << names[n] << " (loop " << section.macroLoopTimes << ", "
                << section.items.size() << " lines)\n";
    for (const std::string& item : section.items) context.out << "  " << item << '\n';
  }
  if (names.empty()) context.out << "no macros\n";
  return Status::Ok();
}

}  // namespace korvane::cli
