#include "cli/button_words.h"

#include <algorithm>
#include <bit>
#include <limits>
#include <optional>

#include "common/numbers.h"
#include "common/text.h"
#include "keys/key_tables.h"

namespace korvane {

namespace {

// A number that fits an int, written with nothing else.
std::optional<int> SmallNumber(std::string_view text) {
  const std::optional<long long> value = WholeNumber(text);
  if (!value || *value < std::numeric_limits<int>::min() || *value > std::numeric_limits<int>::max()) {
    return std::nullopt;
  }
  return static_cast<int>(*value);
}

}  // namespace

Status ParseButtonChoice(std::span<const std::string> words, ButtonChoice& choice) {
  if (words.empty()) return Status::Failure("No button function given.");
  const ButtonKindInfo* info = FindKindByToken(words[0]);
  if (info == nullptr) {
    std::string known;
    for (const ButtonKindInfo& kind : BUTTON_KINDS) {
      known += (known.empty() ? "" : ", ") + std::string(kind.token);
    }
    return Status::Failure("Unknown button function \"" + words[0] + "\"; use one of: " + known + ".");
  }
  ButtonChoice parsed;
  parsed.kind = info->kind;
  const std::span<const std::string> rest = words.subspan(1);
  auto tooMany = [&](std::size_t allowed) {
    return Status::Failure("Too many words after \"" + std::string(info->token) + "\" (at most " +
                           std::to_string(allowed) + ").");
  };
  // A key by its table name, a modifier key by its modifier name (the table's name is kept), or "none".
  auto takeKey = [](const std::string& name, std::string& into) {
    if (name == kNoKeyWord) {
      into.clear();
    } else if (KeyNameToUsage(name) != 0) {
      into = name;
    } else if (const Byte bit = ModifierNameToBit(name); bit != 0) {
      into = UsageToKeyName(Byte(kFirstModifierKeyCode + std::countr_zero(bit)));
    } else {
      return Status::Failure("Unknown key name \"" + name +
                             "\" (names are case-sensitive, e.g. \"A\", \"Num 1\", \"Left Ctrl\").");
    }
    return Status::Ok();
  };

  if (!info->subList.empty()) {
    if (rest.size() != 1) {
      std::string tokens;
      for (const SubListItem& item : info->subList) {
        tokens += (tokens.empty() ? "" : ", ") + std::string(item.token);
      }
      return Status::Failure("\"" + std::string(info->token) + "\" needs one of: " + tokens + ".");
    }
    const auto item = std::ranges::find_if(info->subList, [&](const SubListItem& candidate) {
      return EqualsIgnoringCase(candidate.token, rest[0]) ||
             EqualsIgnoringCase(candidate.text.English(), rest[0]);
    });
    if (item == info->subList.end()) {
      return Status::Failure("\"" + rest[0] + "\" is not a choice of \"" + std::string(info->token) + "\".");
    }
    parsed.position = int(item - info->subList.begin());
  } else if (info->kind == ButtonKind::SingleKey) {
    if (rest.size() != 1) return Status::Failure("\"single-key\" needs exactly one key name.");
    if (Status status = takeKey(rest[0], parsed.keyName); !status) return status;
  } else if (info->kind == ButtonKind::ComboKey) {
    if (rest.empty()) return Status::Failure("\"combo-key\" needs a modifier name, key names or both.");
    // The first word is the modifier when it names one or is "none". Of three words it can only be the
    // modifier, so there a modifier key's key name ("Ctrl") is taken as the modifier too.
    std::size_t next = 0;
    const Byte firstCode = KeyNameToUsage(rest[0]);
    if (ModifierNameToBit(rest[0]) != 0) {
      parsed.modifierName = rest[next++];
    } else if (rest[0] == kNoKeyWord) {
      ++next;
    } else if (rest.size() == 3 && firstCode >= kFirstModifierKeyCode &&
               firstCode < kFirstModifierKeyCode + MODIFIER_NAMES.size()) {
      parsed.modifierName = MODIFIER_NAMES[firstCode - kFirstModifierKeyCode];
      ++next;
    }
    if (rest.size() - next > 2) return tooMany(3);
    for (std::string* key : {&parsed.keyName, &parsed.secondKeyName}) {
      if (next == rest.size()) break;
      if (Status status = takeKey(rest[next++], *key); !status) return status;
    }
  } else if (info->kind == ButtonKind::MacroKey) {
    const Status usage = Status::Failure("\"macro\" needs a macro number 0-11 and a repeat mode 0-2.");
    if (rest.empty() || rest.size() > 2) return usage;
    const std::optional<int> number = SmallNumber(rest[0]);
    const std::optional<int> mode = rest.size() == 2 ? SmallNumber(rest[1]) : std::optional<int>(0);
    if (!number || !mode) return usage;
    if (*mode < 0 || *mode >= kRepeatModeCount) return Status::Failure("The repeat mode must be 0, 1 or 2.");
    parsed.macroNumber = *number;
    parsed.repeatMode = Byte(*mode);
  } else if (!rest.empty()) {
    return tooMany(0);
  }
  if (Status status = CheckButtonChoice(parsed); !status) return status;
  choice = std::move(parsed);
  return Status::Ok();
}

}  // namespace korvane
