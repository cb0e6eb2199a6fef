#include "cli/record_text.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <vector>

#include "cli/button_words.h"
#include "config/value_rules.h"
#include "keys/button_catalogue.h"
#include "keys/key_tables.h"
#include "ui/setting_panels.h"

namespace korvane::cli {

namespace {

// A word as a POSIX shell reads it back: bare when it holds only safe characters, else quoted.
std::string ShellWord(std::string_view word) {
  constexpr std::string_view kSafe = "-_.,/+=@%:";
  const auto safe = [&](char c) {
    return std::isalnum(static_cast<unsigned char>(c)) != 0 || kSafe.find(c) != kSafe.npos;
  };
  if (!word.empty() && std::ranges::all_of(word, safe)) return std::string(word);
  // Inside double quotes these four keep a meaning; inside single quotes nothing does but the quote.
  if (word.find_first_of("\"\\$`") == word.npos) return "\"" + std::string(word) + "\"";
  std::string quoted = "'";
  for (const char c : word) quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
  return quoted + "'";
}

// A key code as `set button` takes it; "none" for no key, "code 0xNN" for a code without a name.
std::string KeyWord(Byte code) {
  if (code == kNoKeyCode) return std::string(kNoKeyWord);
  if (const std::string_view name = UsageToKeyName(code); !name.empty()) return ShellWord(name);
  char text[16];
  std::snprintf(text, sizeof text, "code 0x%02x", code);
  return text;
}

// One modifier as `set button` takes it; several (which no dialog stores) joined by "+".
std::string ModifierWords(Byte bits) {
  std::string names;
  for (std::size_t bit = 0; bit < MODIFIER_NAMES.size(); ++bit) {
    if (bits & (1u << bit)) names += (names.empty() ? "" : "+") + ShellWord(MODIFIER_NAMES[bit]);
  }
  return names.empty() ? std::string(kNoKeyWord) : names;
}

// "combo-key" words that `set button` reads back to the same three bytes: the empty places at the end
// are left out, and the modifier place is written as "none" when the first key word would otherwise be
// read as a modifier.
std::string ComboWords(Byte modifier, Byte first, Byte second) {
  std::vector<std::string> keys;
  if (first != kNoKeyCode || second != kNoKeyCode) keys.push_back(KeyWord(first));
  if (second != kNoKeyCode) keys.push_back(KeyWord(second));
  const bool firstReadAsModifier =
      !keys.empty() && (first == kNoKeyCode || ModifierNameToBit(UsageToKeyName(first)) != 0);
  std::string text;
  if (modifier != 0 || keys.empty() || firstReadAsModifier) text = ModifierWords(modifier);
  for (const std::string& key : keys) text += (text.empty() ? "" : " ") + key;
  return text;
}

}  // namespace

std::string LightModeName(Byte mode) {
  if (mode >= 1 && mode <= LIGHT_MODE_NAMES.size()) return std::string(LIGHT_MODE_NAMES[mode - 1]);
  return "unknown (" + std::to_string(mode) + ")";
}

std::string LightLevelText(const MouseConfig& config) {
  const Byte mode = config.lightMode;
  if (mode < 1 || mode > LIGHT_LEVEL_FIELDS.size()) return "";
  const Byte position = config.*LIGHT_LEVEL_FIELDS[mode - 1];
  // Positions 1-5 are the slider's marks; the end of the track stores 6.
  const std::vector<SliderTick> marks = LightingTicks(mode - 1);
  if (position >= 1 && position <= marks.size()) return std::string(marks[position - 1].text);
  return "position " + std::to_string(position);
}

std::string StageColorText(const MouseConfig& config, int stage) {
  const StageColour colour = StageColourOf(config, stage);
  char text[8];
  std::snprintf(text, sizeof text, "#%02x%02x%02x", colour.red, colour.green, colour.blue);
  return text;
}

std::optional<StageColour> ParseStageColorText(std::string_view text) {
  const auto hex = [](char c) { return std::isxdigit(static_cast<unsigned char>(c)) != 0; };
  if (text.size() != 7 || text[0] != '#' || !std::all_of(text.begin() + 1, text.end(), hex)) return std::nullopt;
  const auto channel = [&](std::size_t at) {
    return static_cast<Byte>(std::stoi(std::string(text.substr(at, 2)), nullptr, 16));
  };
  return StageColour{channel(1), channel(3), channel(5)};
}

std::string ButtonFunctionText(const MouseConfig& config, int button) {
  const Byte kind = config.buttonKind[button];
  if (kind >= kButtonKindCount) return "unknown (" + std::to_string(kind) + ")";
  const ButtonKindInfo& info = BUTTON_KINDS[kind];
  std::string text(info.token);
  const auto arg = [&](int k) { return config.Arg(k, button); };
  switch (info.kind) {
    case ButtonKind::SingleKey:
      return text + " " + KeyWord(arg(kSingleKeyArg));
    case ButtonKind::ComboKey:
      return text + " " + ComboWords(arg(kComboModifierArg), arg(kComboFirstKeyArg), arg(kComboSecondKeyArg));
    case ButtonKind::MacroKey:
      return text + " " + std::to_string(arg(kMacroNumberArg)) + " " + std::to_string(arg(kMacroRepeatArg));
    default:
      break;
  }
  if (info.subList.empty()) return text;
  const int k = info.subListArg;
  for (const SubListItem& item : info.subList) {
    if (item.stored == arg(k)) return text + " " + std::string(item.token);
  }
  return text + " (parameter " + std::to_string(arg(k)) + ")";
}

}  // namespace korvane::cli
