#include <iomanip>

#include "cli/commands.h"
#include "keys/button_catalogue.h"
#include "keys/key_tables.h"

namespace korvane::cli {

Status KeysCommand(const Context& context, ArgReader& args) {
  if (Status s = args.RejectUnknownOptions(); !s) return s;
  if (!args.rest().empty()) return Status::Failure("keys takes no arguments");
  std::ostream& out = context.out;
  out << "keys (single-key, combo-key; names are case-sensitive):\n";
  for (const KeyNameCode& row : KEY_TABLE) out << "  " << row.name << '\n';
  out << "modifiers (the first word of combo-key; also single keys, as Left Ctrl for Ctrl):\n";
  for (const std::string_view name : MODIFIER_NAMES) out << "  " << name << '\n';
  // The kinds completed by a choice from a list: the token `set button` takes, then the list text.
  for (const ButtonKindInfo& kind : BUTTON_KINDS) {
    if (kind.subList.empty()) continue;
    out << kind.token << " (button N " << kind.token << " NAME):\n";
    for (const SubListItem& item : kind.subList) {
      out << "  " << std::left << std::setw(12) << item.token << ' ' << item.text.English() << '\n';
    }
  }
  return Status::Ok();
}

}  // namespace korvane::cli
