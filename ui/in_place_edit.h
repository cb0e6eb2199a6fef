#pragma once

#include <functional>
#include <string>
#include <utility>

namespace korvane {

// The rule of an in-place editor over a list entry (a macro's name or delay, a profile's name): one edit
// from opening to closing. Enter and leaving the box commit the text, Escape cancels it. A commit offers
// the text to the list's owner, which takes it or says why not; either way the edit closes, so a refused
// value never traps the user in the box: the entry keeps its old text and the reason is told once. The
// Qt view (gui/lb_editor_wnd) only forwards keys and focus and closes itself when the edit has.
class InPlaceEdit {
 public:
  // Offers the edited text to the list's owner: an empty string when the owner took it, else the reason
  // it refused it.
  using Offer = std::function<std::string(const std::string& text)>;

  enum class Result {
    kTaken,      // the owner took the text: the entry shows it
    kUnchanged,  // the text was the entry's own: nothing was offered
    kRefused,    // the owner refused it: the entry keeps its old text and a message is due
    kCancelled,  // Escape: the entry keeps its old text
    kClosed,     // the edit had already ended: nothing happens (a focus-out after Enter, a second Escape)
  };

  InPlaceEdit(std::string original, Offer offer)
      : original_(std::move(original)), offer_(std::move(offer)), shown_(original_) {}

  bool open() const { return open_; }
  // Enter, or the box lost the focus.
  Result Commit(const std::string& text);
  // Escape.
  Result Cancel();
  // What the entry shows once the edit has closed: the text taken, else the old one.
  const std::string& shown() const { return shown_; }
  // The reason of a refusal, handed out once: empty when none is due (any more).
  std::string TakeMessage() { return std::exchange(message_, std::string()); }

 private:
  std::string original_;
  Offer offer_;
  std::string shown_;
  bool open_ = true;
  std::string message_;
};

}  // namespace korvane
