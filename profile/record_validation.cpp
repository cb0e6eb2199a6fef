#include "profile/record_validation.h"

#include <algorithm>

#include "keys/button_catalogue.h"
#include "keys/key_tables.h"

namespace korvane {

namespace {

// One parameter byte that a kind of button function reads, with the values the program writes into it.
struct ButtonParameter {
  ButtonKind kind;
  int arg;                // the buttonArg array
  std::string_view part;  // named after the kind's token: "macro number", "combo-key first key"
  ByteValues values;
};

ByteValues Below(std::size_t count) {
  ByteValues values;
  for (std::size_t value = 0; value < count; ++value) values.set(value);
  return values;
}

// The key table's codes, and 0 for an empty place: "single-key none", a combo key without a key.
ByteValues KeyCodes() {
  ByteValues codes;
  codes.set(kNoKeyCode);
  for (const KeyNameCode& row : KEY_TABLE) codes.set(row.code);
  return codes;
}

// No modifier, or the one bit of a named modifier: the combo-key dialog offers one.
ByteValues ModifierBytes() {
  ByteValues bytes;
  bytes.set(0);
  for (const std::string_view name : MODIFIER_NAMES) bytes.set(ModifierNameToBit(name));
  return bytes;
}

std::vector<ButtonParameter> MakeButtonParameters() {
  std::vector<ButtonParameter> parameters;
  for (const ButtonKindInfo& info : BUTTON_KINDS) {
    if (info.subList.empty()) continue;
    ByteValues stored;
    for (const SubListItem& item : info.subList) stored.set(item.stored);
    parameters.push_back({info.kind, info.subListArg, "choice", stored});
  }
  const ByteValues keys = KeyCodes();
  parameters.push_back({ButtonKind::SingleKey, kSingleKeyArg, "key", keys});
  parameters.push_back({ButtonKind::ComboKey, kComboModifierArg, "modifier", ModifierBytes()});
  parameters.push_back({ButtonKind::ComboKey, kComboFirstKeyArg, "first key", keys});
  parameters.push_back({ButtonKind::ComboKey, kComboSecondKeyArg, "second key", keys});
  parameters.push_back({ButtonKind::MacroKey, kMacroNumberArg, "number", Below(kMacroCount)});
  parameters.push_back({ButtonKind::MacroKey, kMacroRepeatArg, "repeat mode", Below(kRepeatModeCount)});
  return parameters;
}

// Every parameter byte some kind reads; the bytes of the parameter arrays not listed for a button's kind
// mean nothing to it.
const std::vector<ButtonParameter>& ButtonParameters() {
  static const std::vector<ButtonParameter> parameters = MakeButtonParameters();
  return parameters;
}

}  // namespace

std::vector<FieldProblem> ValidateConfig(const MouseConfig& config) {
  const MouseConfigImage image = config.ToBytes();
  std::vector<FieldProblem> problems = ValidateSettingsFields(config);
  for (std::size_t button = 0; button < kButtonCount; ++button) {
    for (const ButtonParameter& parameter : ButtonParameters()) {
      if (config.buttonKind[button] != static_cast<Byte>(parameter.kind)) continue;
      const std::size_t offset = kButtonArgOffset + kButtonCount * (parameter.arg - 1) + button;
      const Byte value = image[offset];
      if (parameter.values[value]) continue;
      problems.push_back({"button " + std::to_string(button + 1) + " " +
                              std::string(KindInfo(parameter.kind).token) + " " + std::string(parameter.part),
                          offset, std::nullopt, value, AllowedText(parameter.values)});
    }
  }
  std::ranges::sort(problems, {}, &FieldProblem::offset);
  return problems;
}

}  // namespace korvane
