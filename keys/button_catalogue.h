#pragma once

#include <array>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "common/status.h"
#include "config/button_kind.h"
#include "config/mouse_config.h"
#include "text/strings.h"

namespace korvane {

// A list text: one of the window texts of the string tables, shown in the display language, or a text
// that reads the same in every language. The language code chooses as the string tables do.
struct CatalogueText {
  std::string_view fixed;
  std::string_view (*localised)(const MainStrings&) = nullptr;

  std::string_view In(std::string_view languageCode) const;
  std::string_view English() const { return In(""); }
};

// One row of a sub-list: its stable command-line token, its list text and the byte the choice writes into
// the kind's parameter array.
struct SubListItem {
  std::string_view token;
  CatalogueText text;
  Byte stored;
};

// One function kind of the assignment list. Kinds with a sub-list are completed by choosing a row of it;
// single key, combo key and macro key by a dialog.
struct ButtonKindInfo {
  ButtonKind kind;
  std::string_view token;
  CatalogueText text;
  std::span<const SubListItem> subList;
  int subListArg = 0;  // the buttonArg array a sub-list choice writes
};

extern const std::array<SubListItem, 3> SCROLL_SELECT_ITEMS;
extern const std::array<SubListItem, 3> CPI_CYCLE_ITEMS;
extern const std::array<SubListItem, 8> MULTIMEDIA_USAGES;  // stored: consumer usage byte
extern const std::array<SubListItem, 10> HOTKEY_LETTERS;    // stored: letter key code, sent with Ctrl
extern const std::array<SubListItem, 7> WINDOWS_COMMANDS;   // stored: the position

// The fourteen kinds in list order (index = kind value).
extern const std::array<ButtonKindInfo, kButtonKindCount> BUTTON_KINDS;

const ButtonKindInfo& KindInfo(ButtonKind kind);
// The kind whose token matches, ignoring ASCII case; nullptr when none does.
const ButtonKindInfo* FindKindByToken(std::string_view token);

// What the user chose for one button. Only the fields of the chosen kind are read.
struct ButtonChoice {
  ButtonKind kind = ButtonKind::Click;
  int position = 0;           // row of the kind's sub-list
  std::string keyName;        // single key; first key of a combo key
  std::string modifierName;   // combo key
  std::string secondKeyName;  // combo key
  int macroNumber = 0;        // 0-11: position of the macro's section in record.ini
  Byte repeatMode = 0;        // 0-2
  std::string macroName;      // shown in the label
};

inline constexpr int kRepeatModeCount = 3;

// Refuses a choice that names no row of its sub-list, a macro number outside 0-11 or a repeat mode
// outside 0-2. Key and modifier names are not checked: an unknown name is stored as code 0.
Status CheckButtonChoice(const ButtonChoice& choice);

// Stores the choice for button 0-7: buttonKind and the parameter arrays of that kind only; returns the
// button's new label in the display language. Nothing changes when the choice fails CheckButtonChoice or
// the button is out of range.
std::optional<std::string> ApplyButtonChoice(MouseConfig& config, int button, const ButtonChoice& choice,
                                             std::string_view languageCode);

// "Single Key-A"
std::string SingleKeyLabel(std::string_view keyName, std::string_view languageCode);
// "Combo Key-" and the parts whose code is non-zero joined by "+": "Combo Key-Left Ctrl+A+B".
std::string ComboKeyLabel(std::string_view modifierName, std::string_view firstKeyName,
                          std::string_view secondKeyName, std::string_view languageCode);
// "Macro Key-Macro_0"
std::string MacroKeyLabel(std::string_view macroName, std::string_view languageCode);

// The label button 0-7 would have been given when its function was chosen, rebuilt from buttonKind and
// the parameter arrays: a sub-list kind by the row that stores its byte, keys by their table names, and a
// macro key by its name in macroNames (record.ini's list), or by its number when the list has none.
// Empty for a kind the program does not know.
std::string LabelFromRecord(const MouseConfig& config, int button, std::span<const std::string> macroNames,
                            std::string_view languageCode);

// The last button with "Click" may not be reassigned: true when this button is the only one on kind 0.
bool LeftButtonLocked(const MouseConfig& config, int button);
// Text of the warning shown instead of the list; its caption is kLeftButtonWarningCaption in every
// language.
std::string_view LeftButtonWarningText(std::string_view languageCode);
inline constexpr std::string_view kLeftButtonWarningCaption = "Warning";

}  // namespace korvane
