#include "ui/in_place_edit.h"

namespace korvane {

InPlaceEdit::Result InPlaceEdit::Commit(const std::string& text) {
  if (!open_) return Result::kClosed;
  open_ = false;  // closed before the owner is asked: whatever it does, this edit is over
  if (text == original_) return Result::kUnchanged;
  std::string refusal = offer_ ? offer_(text) : std::string();
  if (!refusal.empty()) {
    message_ = std::move(refusal);
    return Result::kRefused;
  }
  shown_ = text;
  return Result::kTaken;
}

InPlaceEdit::Result InPlaceEdit::Cancel() {
  if (!open_) return Result::kClosed;
  open_ = false;
  return Result::kCancelled;
}

}  // namespace korvane
