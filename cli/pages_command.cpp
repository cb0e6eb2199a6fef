#include "cli/commands.h"
#include "cli/profile_target.h"
#include "device/transport.h"
#include "config/settings_page.h"
#include "keys/key_page.h"
#include "macro/macro_encoding.h"

namespace korvane::cli {

namespace {

void PrintMacroPages(std::ostream& out, const std::array<DevicePage, kMacroCount>& pages) {
  for (std::size_t n = 0; n < pages.size(); ++n) out << "macro " << n + 1 << ": " << HexBytes(pages[n]) << '\n';
}

}  // namespace

Status PagesCommand(const Context& context, ArgReader& args) {
  ProfileTarget target;
  if (Status s = TakeProfileTarget(context, args, target); !s) return s;
  if (Status s = args.RejectUnknownOptions(); !s) return s;
  if (!args.rest().empty()) return Status::Failure("pages takes no further arguments");
  LoadedProfile profile;
  if (Status s = LoadProfile(target, profile); !s) return s;
  context.out << "settings: " << HexBytes(BuildSettingsPage(profile.config)) << '\n';
  context.out << "keys: " << HexBytes(BuildKeyPage(profile.config)) << '\n';
  PrintMacroPages(context.out, profile.config.macroData);
  return Status::Ok();
}

Status MacrosCommand(const Context& context, ArgReader& args) {
  std::string record;
  if (Status s = args.TakeOption("--record", record); !s) return s;
  const bool encode = args.TakeFlag("--encode");
  if (Status s = args.RejectUnknownOptions(); !s) return s;
  if (!args.rest().empty()) return Status::Failure("macros takes no further arguments");
  const std::filesystem::path path = record.empty() ? context.folder.File("record.ini") : std::filesystem::path(record);
  if (!std::filesystem::is_regular_file(path)) return Status::Failure(path.string() + " does not exist");

  const IniDocument document = IniFile(path).Load();
  if (encode) {
    const MacroEncoding encoded = EncodeMacroPages(document);
    PrintMacroPages(context.out, encoded.pages);
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
