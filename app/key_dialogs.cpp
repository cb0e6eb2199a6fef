#include "app/key_dialogs.h"

#include "common/utf8.h"
#include "keys/key_tables.h"

namespace korvane {

namespace {

constexpr std::size_t kMaxKeyNameLength = 31;

}  // namespace

KeyDialogButton KeyDialogButtonAt(int x, int y) {
  if (kKeyDialogOk.Contains(x, y)) return KeyDialogButton::kOk;
  if (kKeyDialogCancel.Contains(x, y)) return KeyDialogButton::kCancel;
  if (kKeyDialogClose.Contains(x, y)) return KeyDialogButton::kClose;
  return KeyDialogButton::kNone;
}

std::string KeyNameForDialog(std::string_view name) {
  // Cut at a character boundary, so that a UTF-8 name never ends in half a character.
  return std::string(CutUtf8(name, kMaxKeyNameLength, Utf8Measure::kCharacters));
}

KeyDialogButton ComboKeyModel::Press(int x, int y) {
  if (kModifierBoxRect.Contains(x, y)) {
    listOpen_ = !listOpen_;
    // While the list is open, no key box takes key names.
    if (listOpen_) focus_ = Focus::kNone;
    return KeyDialogButton::kNone;
  }
  if (listOpen_ && !kModifierListRect.Contains(x, y)) listOpen_ = false;
  return KeyDialogButtonAt(x, y);
}

void ComboKeyModel::ChooseModifier(int position) {
  if (position >= 0 && position < static_cast<int>(MODIFIER_NAMES.size())) modifierName_ = MODIFIER_NAMES[position];
  listOpen_ = false;
}

void ComboKeyModel::OnKey(std::string_view name) {
  if (listOpen_) return;
  if (focus_ == Focus::kFirstKey) firstKeyName_ = KeyNameForDialog(name);
  if (focus_ == Focus::kSecondKey) secondKeyName_ = KeyNameForDialog(name);
}

KeyDialogButton MacroKeyModel::Press(int x, int y) {
  const bool inBox = kBoxRect.Contains(x, y);
  if (!inBox && !kListRect.Contains(x, y)) listOpen_ = false;
  if (const KeyDialogButton button = KeyDialogButtonAt(x, y); button != KeyDialogButton::kNone) return button;
  if (inBox) {
    listOpen_ = !listOpen_;
    return KeyDialogButton::kNone;
  }
  for (int mode = 0; mode < static_cast<int>(kModeBoxes.size()); ++mode) {
    if (kModeBoxes[mode].Contains(x, y)) repeatMode_ = mode;
  }
  return KeyDialogButton::kNone;
}

void MacroKeyModel::Choose(int row) {
  listOpen_ = false;
  if (row < 0 || row >= static_cast<int>(names_.size())) return;
  macroNumber_ = row;
  chosenName_ = names_[row];
}

std::string MacroKeyModel::OkRefusal() const {
  if (names_.empty()) return "There is no macro yet. Record one in the Macro Manager first.";
  if (chosenName_.empty()) return "Choose a macro from the list first.";
  return {};
}

}  // namespace korvane
