#pragma once

#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "ui/rect.h"

namespace korvane {

// The three small key dialogs (single key, combo key, macro key) share their size and buttons.
inline constexpr Rect kKeyDialogClose{352, 6, 370, 24};
inline constexpr Rect kKeyDialogOk{250, 250, 308, 275};
inline constexpr Rect kKeyDialogCancel{314, 250, 372, 275};
// Left of OK: the note that the desktop may still act on keys.
inline constexpr Rect kKeyDialogHeldNote{14, 244, 242, 282};

enum class KeyDialogButton { kOk, kCancel, kClose, kNone };
KeyDialogButton KeyDialogButtonAt(int x, int y);

// Names are kept as the key tables name them, at most 31 characters.
std::string KeyNameForDialog(std::string_view name);

// CSingleDialog: the name of the last key touched.
struct SingleKeyModel {
  static constexpr std::string_view kBackground = "/single-key.png";
  static constexpr Rect kPromptRect{34, 103, 180, 123};
  static constexpr Rect kKeyNameRect{74, 129, 150, 143};
  // The top face of the keycap picture, where the name is shown too.
  static constexpr Rect kKeycapRect{249, 80, 328, 150};

  std::string keyName;
  void OnKey(std::string_view name) { keyName = KeyNameForDialog(name); }
};

// CComboDialog: a modifier from its list and two keys, each captured into the key box that has the focus.
class ComboKeyModel {
 public:
  static constexpr std::string_view kBackground = "/combo-key.png";
  static constexpr Rect kModifierNameRect{50, 70, 116, 84};
  static constexpr Rect kModifierBoxRect{50, 70, 132, 84};
  static constexpr Rect kModifierListRect{50, 87, 132, 227};
  static constexpr Rect kFirstKeyRect{50, 120, 131, 134};
  static constexpr Rect kSecondKeyRect{50, 170, 131, 184};
  // The captions over the three boxes.
  static constexpr Rect kModifierLabelRect{50, 52, 200, 69};
  static constexpr Rect kFirstKeyLabelRect{50, 102, 200, 119};
  static constexpr Rect kSecondKeyLabelRect{50, 152, 200, 169};
  // The top faces of the keycap pictures: the modifier's wide cap over the two keys' caps.
  static constexpr Rect kModifierCapRect{231, 71, 333, 106};
  static constexpr Rect kFirstKeyCapRect{222, 159, 266, 197};
  static constexpr Rect kSecondKeyCapRect{298, 159, 342, 197};
  enum class Focus { kNone, kFirstKey, kSecondKey };

  // A left press in the dialog (outside the list's own rows): closes or toggles the modifier list, and
  // says which of OK, Cancel and close it hit.
  KeyDialogButton Press(int x, int y);
  // The key boxes take the focus from the window, not from this model.
  void SetFocus(Focus focus) { focus_ = listOpen_ ? Focus::kNone : focus; }
  void ChooseModifier(int position);
  void OnKey(std::string_view name);

  bool listOpen() const { return listOpen_; }
  Focus focus() const { return focus_; }
  const std::string& modifierName() const { return modifierName_; }
  const std::string& firstKeyName() const { return firstKeyName_; }
  const std::string& secondKeyName() const { return secondKeyName_; }

 private:
  bool listOpen_ = false;
  Focus focus_ = Focus::kNone;
  std::string modifierName_, firstKeyName_, secondKeyName_;
};

// CMacroDialog: one macro of record.ini and a repeat mode.
class MacroKeyModel {
 public:
  static constexpr std::string_view kBackground = "/macro-key.png";
  // A repeat mode's box, ticked for the chosen one.
  static constexpr std::string_view kModeBoxImage = "/Pane.png";
  static constexpr std::string_view kModeBoxTickedImage = "/PaneMakingTick.png";
  static constexpr Rect kNameRect{42, 128, 136, 144};
  static constexpr Rect kBoxRect{42, 128, 151, 144};
  static constexpr Rect kListRect{42, 146, 151, 286};
  static constexpr Rect kPromptRect{12, 110, 181, 131};
  static constexpr std::array<Rect, 3> kModeBoxes = {{{220, 78, 236, 94}, {220, 128, 236, 144}, {220, 178, 236, 194}}};
  // Each label centred on its box, with room for three wrapped lines.
  static constexpr std::array<Rect, 3> kModeLabels = {
      {{237, 62, 390, 110}, {237, 112, 390, 160}, {237, 162, 390, 210}}};

  // The section names of record.ini, in file order.
  explicit MacroKeyModel(std::vector<std::string> macroNames) : names_(std::move(macroNames)) {}

  KeyDialogButton Press(int x, int y);
  void Choose(int row);
  // Why OK cannot end the dialog, or empty when it can: a button cannot play a macro that does not exist.
  std::string OkRefusal() const;

  const std::vector<std::string>& names() const { return names_; }
  bool listOpen() const { return listOpen_; }
  int macroNumber() const { return macroNumber_; }
  const std::string& chosenName() const { return chosenName_; }
  int repeatMode() const { return repeatMode_; }

 private:
  std::vector<std::string> names_;
  bool listOpen_ = false;
  int macroNumber_ = 0;
  std::string chosenName_;
  int repeatMode_ = 0;
};

}  // namespace korvane
