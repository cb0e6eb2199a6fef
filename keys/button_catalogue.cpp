#include "keys/button_catalogue.h"

#include <algorithm>
#include <bit>

#include "common/text.h"
#include "keys/key_tables.h"

namespace korvane {
namespace {

constexpr CatalogueText Same(std::string_view text) { return {text}; }

template <auto Field>
std::string_view TextOf(const MainStrings& strings) {
  return strings.*Field;
}
template <auto Field, std::size_t Index>
std::string_view ItemOf(const MainStrings& strings) {
  return (strings.*Field)[Index];
}
template <auto Field>
constexpr CatalogueText Text() {
  return {{}, &TextOf<Field>};
}
template <auto Field, std::size_t Index>
constexpr CatalogueText Item() {
  return {{}, &ItemOf<Field, Index>};
}

std::string Joined(std::string_view head, std::string_view tail) {
  std::string text(head);
  text += '-';
  text += tail;
  return text;
}

}  // namespace

std::string_view CatalogueText::In(std::string_view languageCode) const {
  return localised != nullptr ? localised(LoadMainStrings(languageCode)) : fixed;
}

const std::array<SubListItem, 3> SCROLL_SELECT_ITEMS = {{
    {"middle", Text<&MainStrings::mouseMButton>(), 1},
    {"up", Text<&MainStrings::mouseScrollUp>(), 2},
    {"down", Text<&MainStrings::mouseScrollDown>(), 3},
}};

// Shown in English in every language.
const std::array<SubListItem, 3> CPI_CYCLE_ITEMS = {{
    {"up", Same("CPI +"), 1},
    {"down", Same("CPI -"), 2},
    {"loop", Same("CPI Loop"), 3},
}};

const std::array<SubListItem, 8> MULTIMEDIA_USAGES = {{
    {"player", Item<&MainStrings::multimediaItem, 0>(), 0x83},
    {"next", Item<&MainStrings::multimediaItem, 1>(), 0xB5},
    {"previous", Item<&MainStrings::multimediaItem, 2>(), 0xB6},
    {"stop", Item<&MainStrings::multimediaItem, 3>(), 0xB7},
    {"play-pause", Item<&MainStrings::multimediaItem, 4>(), 0xCD},
    {"mute", Item<&MainStrings::multimediaItem, 5>(), 0xE2},
    {"volume-up", Item<&MainStrings::multimediaItem, 6>(), 0xE9},
    {"volume-down", Item<&MainStrings::multimediaItem, 7>(), 0xEA},
}};

const std::array<SubListItem, 10> HOTKEY_LETTERS = {{
    {"new", Item<&MainStrings::hotKeyItem, 0>(), 0x11},  // N
    {"cut", Item<&MainStrings::hotKeyItem, 1>(), 0x1B},  // X
    {"copy", Item<&MainStrings::hotKeyItem, 2>(), 0x06},  // C
    {"paste", Item<&MainStrings::hotKeyItem, 3>(), 0x19},  // V
    {"save", Item<&MainStrings::hotKeyItem, 4>(), 0x16},  // S
    {"print", Item<&MainStrings::hotKeyItem, 5>(), 0x13},  // P
    {"find", Item<&MainStrings::hotKeyItem, 6>(), 0x09},  // F
    {"redo", Item<&MainStrings::hotKeyItem, 7>(), 0x1C},  // Y
    {"undo", Item<&MainStrings::hotKeyItem, 8>(), 0x1D},  // Z
    {"select-all", Item<&MainStrings::hotKeyItem, 9>(), 0x04},  // A
}};

const std::array<SubListItem, 7> WINDOWS_COMMANDS = {{
    {"computer", Item<&MainStrings::windowsItem, 0>(), 0},
    {"home", Item<&MainStrings::windowsItem, 1>(), 1},
    {"search", Item<&MainStrings::windowsItem, 2>(), 2},
    {"maximize", Item<&MainStrings::windowsItem, 3>(), 3},
    {"minimize", Item<&MainStrings::windowsItem, 4>(), 4},
    {"desktop", Item<&MainStrings::windowsItem, 5>(), 5},
    {"run", Item<&MainStrings::windowsItem, 6>(), 6},
}};

const std::array<ButtonKindInfo, kButtonKindCount> BUTTON_KINDS = {{
    {ButtonKind::Click, "click", Text<&MainStrings::click>(), {}},
    {ButtonKind::Menu, "menu", Text<&MainStrings::menu>(), {}},
    {ButtonKind::ScrollSelect, "scroll", Text<&MainStrings::scrollSelect>(), SCROLL_SELECT_ITEMS,
     kScrollSelectArg},
    {ButtonKind::IeForward, "forward", Text<&MainStrings::ieForward>(), {}},
    {ButtonKind::IeBackward, "backward", Text<&MainStrings::ieBackward>(), {}},
    {ButtonKind::DoubleClick, "double-click", Text<&MainStrings::doubleClick>(), {}},
    {ButtonKind::CpiCycle, "cpi", Text<&MainStrings::cpiCycle>(), CPI_CYCLE_ITEMS, kCpiCycleArg},
    {ButtonKind::Multimedia, "multimedia", Text<&MainStrings::multimedia>(), MULTIMEDIA_USAGES, kMultimediaArg},
    {ButtonKind::HotKey, "hotkey", Text<&MainStrings::hotKey>(), HOTKEY_LETTERS, kHotKeyArg},
    {ButtonKind::Windows, "windows", Text<&MainStrings::windows>(), WINDOWS_COMMANDS, kWindowsArg},
    {ButtonKind::SingleKey, "single-key", Text<&MainStrings::singleKey>(), {}},
    {ButtonKind::ComboKey, "combo-key", Text<&MainStrings::comboKey>(), {}},
    {ButtonKind::MacroKey, "macro", Text<&MainStrings::macroKey>(), {}},
    {ButtonKind::ButtonOff, "off", Text<&MainStrings::buttonOff>(), {}},
}};

const ButtonKindInfo& KindInfo(ButtonKind kind) { return BUTTON_KINDS[static_cast<std::size_t>(kind)]; }

const ButtonKindInfo* FindKindByToken(std::string_view token) {
  for (const ButtonKindInfo& info : BUTTON_KINDS) {
    if (EqualsIgnoringCase(info.token, token)) return &info;
  }
  return nullptr;
}

Status CheckButtonChoice(const ButtonChoice& choice) {
  if (static_cast<int>(choice.kind) >= kButtonKindCount) return Status::Failure("Unknown button function.");
  const ButtonKindInfo& info = KindInfo(choice.kind);
  if (!info.subList.empty() && (choice.position < 0 || choice.position >= int(info.subList.size()))) {
    return Status::Failure("\"" + std::string(info.text.English()) + "\" has " +
                           std::to_string(info.subList.size()) + " choices; " +
                           std::to_string(choice.position) + " is not one of them.");
  }
  if (choice.kind == ButtonKind::MacroKey) {
    if (choice.macroNumber < 0 || choice.macroNumber >= int(kMacroCount)) {
      return Status::Failure("The macro number must be 0 to 11.");
    }
    if (choice.repeatMode >= kRepeatModeCount) return Status::Failure("The repeat mode must be 0, 1 or 2.");
  }
  return Status::Ok();
}

std::string SingleKeyLabel(std::string_view keyName, std::string_view languageCode) {
  return Joined(KindInfo(ButtonKind::SingleKey).text.In(languageCode), keyName);
}

std::string ComboKeyLabel(std::string_view modifierName, std::string_view firstKeyName,
                          std::string_view secondKeyName, std::string_view languageCode) {
  std::string parts;
  auto add = [&](std::string_view name, Byte code) {
    if (code == 0) return;
    if (!parts.empty()) parts += '+';
    parts += name;
  };
  add(modifierName, ModifierNameToBit(modifierName));
  add(firstKeyName, KeyNameToUsage(firstKeyName));
  add(secondKeyName, KeyNameToUsage(secondKeyName));
  return Joined(KindInfo(ButtonKind::ComboKey).text.In(languageCode), parts);
}

std::string MacroKeyLabel(std::string_view macroName, std::string_view languageCode) {
  return Joined(KindInfo(ButtonKind::MacroKey).text.In(languageCode), macroName);
}

std::optional<std::string> ApplyButtonChoice(MouseConfig& config, int button, const ButtonChoice& choice,
                                             std::string_view languageCode) {
  if (button < 0 || button >= int(kButtonCount) || !CheckButtonChoice(choice)) return std::nullopt;
  const ButtonKindInfo& info = KindInfo(choice.kind);
  std::string label;
  switch (choice.kind) {
    case ButtonKind::ScrollSelect:
    case ButtonKind::CpiCycle:
    case ButtonKind::Multimedia:
    case ButtonKind::HotKey:
    case ButtonKind::Windows: {
      const SubListItem& item = info.subList[choice.position];
      config.Arg(info.subListArg, button) = item.stored;
      label = item.text.In(languageCode);
      break;
    }
    case ButtonKind::SingleKey:
      config.Arg(kSingleKeyArg, button) = KeyNameToUsage(choice.keyName);
      label = SingleKeyLabel(choice.keyName, languageCode);
      break;
    case ButtonKind::ComboKey:
      config.Arg(kComboModifierArg, button) = ModifierNameToBit(choice.modifierName);
      config.Arg(kComboFirstKeyArg, button) = KeyNameToUsage(choice.keyName);
      config.Arg(kComboSecondKeyArg, button) = KeyNameToUsage(choice.secondKeyName);
      label = ComboKeyLabel(choice.modifierName, choice.keyName, choice.secondKeyName, languageCode);
      break;
    case ButtonKind::MacroKey:
      config.Arg(kMacroNumberArg, button) = Byte(choice.macroNumber);
      config.Arg(kMacroRepeatArg, button) = choice.repeatMode;
      label = MacroKeyLabel(choice.macroName, languageCode);
      break;
    default:
      label = info.text.In(languageCode);
      break;
  }
  config.buttonKind[button] = static_cast<Byte>(choice.kind);
  return label;
}

std::string LabelFromRecord(const MouseConfig& config, int button, std::span<const std::string> macroNames,
                            std::string_view languageCode) {
  const Byte kind = config.buttonKind[button];
  if (kind >= kButtonKindCount) return {};
  const ButtonKindInfo& info = KindInfo(static_cast<ButtonKind>(kind));
  switch (info.kind) {
    case ButtonKind::SingleKey:
      return SingleKeyLabel(UsageToKeyName(config.Arg(kSingleKeyArg, button)), languageCode);
    case ButtonKind::ComboKey: {
      // A dialog stores one modifier; of several, the label names the first.
      const Byte bits = config.Arg(kComboModifierArg, button);
      const std::string_view modifier = bits == 0 ? "" : MODIFIER_NAMES[std::countr_zero(bits)];
      return ComboKeyLabel(modifier, UsageToKeyName(config.Arg(kComboFirstKeyArg, button)),
                           UsageToKeyName(config.Arg(kComboSecondKeyArg, button)), languageCode);
    }
    case ButtonKind::MacroKey: {
      const Byte number = config.Arg(kMacroNumberArg, button);
      return MacroKeyLabel(number < macroNames.size() ? macroNames[number] : std::to_string(number),
                           languageCode);
    }
    default:
      break;
  }
  const auto item = std::ranges::find_if(info.subList, [&](const SubListItem& candidate) {
    return candidate.stored == config.Arg(info.subListArg, button);
  });
  return std::string(item == info.subList.end() ? info.text.In(languageCode) : item->text.In(languageCode));
}

bool LeftButtonLocked(const MouseConfig& config, int button) {
  if (config.buttonKind[button] != static_cast<Byte>(ButtonKind::Click)) return false;
  for (int other = 0; other < int(kButtonCount); ++other) {
    if (other != button && config.buttonKind[other] == static_cast<Byte>(ButtonKind::Click)) return false;
  }
  return true;
}

std::string_view LeftButtonWarningText(std::string_view languageCode) {
  return LoadMainStrings(languageCode).leftKeyMustBeSelected;
}

}  // namespace korvane
