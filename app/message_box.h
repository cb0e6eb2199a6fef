#pragma once

#include <string_view>
#include <vector>

#include "text/strings.h"
#include "ui/rect.h"

namespace korvane {

// The program's message box: a caption, a mark for its kind, the text and a row of buttons.
enum class MessageBoxKind { kInformation, kWarning, kQuestion };
// What ended the box. kCopy is the extra button of a message that carries a command.
enum class MessageBoxAnswer { kNone, kOk, kYes, kNo, kCopy };

struct MessageBoxButton {
  MessageBoxAnswer answer;
  std::string_view caption;
  char mnemonic;  // the letter that presses it, alone or with Alt; 0 for none
};

// Where everything lies on the box's face, in its own pixels.
struct MessageBoxLayout {
  int width = 0;
  int height = 0;
  Rect caption, close, mark, text;
  std::vector<Rect> buttons;  // in the order of MessageBoxModel::buttons()
};

inline constexpr int kMessageBoxMargin = 16;
inline constexpr int kMessageBoxCaptionHeight = 30;
inline constexpr int kMessageBoxMarkSize = 32;
inline constexpr int kMessageBoxButtonGap = 10;
inline constexpr int kMessageBoxCloseSize = 18;
// The text wraps at this width; a box is never narrower than kMessageBoxMinimumWidth.
inline constexpr int kMessageBoxTextWidth = 420;
inline constexpr int kMessageBoxMinimumWidth = 280;
// The buttons wear kNewButtonImage stretched through its middle to fit the caption (the ends keep their
// width); the close button kCloseButtonImage.
inline constexpr int kMessageBoxButtonHeight = 25;
inline constexpr int kMessageBoxButtonMinimumWidth = 58;
inline constexpr int kMessageBoxButtonPadding = 24;  // beside the caption's width
inline constexpr int kMessageBoxButtonEnd = 8;

// The buttons a kind of box offers and what Enter, Escape and the close button answer: OK for a
// message (Enter and Escape alike), Yes or No for a question (Enter yes, Escape and close no).
class MessageBoxModel {
 public:
  // The buttons are captioned in the language of `text`; copyCaption, when not empty, adds the button that
  // answers kCopy after OK. The letters that answer stay Y, N and O in every language.
  MessageBoxModel(MessageBoxKind kind, const MessageStrings& text, std::string_view copyCaption = {});

  MessageBoxKind kind() const { return kind_; }
  const std::vector<MessageBoxButton>& buttons() const { return buttons_; }
  MessageBoxAnswer enterAnswer() const { return buttons_.front().answer; }
  MessageBoxAnswer escapeAnswer() const;
  // The answer of the button whose mnemonic is this letter, in either case; kNone when none has it.
  MessageBoxAnswer AnswerForLetter(char letter) const;

  // Lays the face out round a text of the given size (already wrapped at kMessageBoxTextWidth) and
  // buttons of the given size, each at least as wide as its caption needs.
  const MessageBoxLayout& LayOut(int textWidth, int textHeight, const std::vector<int>& buttonWidths,
                                 int buttonHeight);
  const MessageBoxLayout& layout() const { return layout_; }

  // The button under a point, as an index into buttons(); -1 for none.
  int ButtonAt(int x, int y) const;
  // What a left press at a point answers: a button's answer, escapeAnswer() on the close button, kNone
  // elsewhere (a press there moves the box).
  MessageBoxAnswer Press(int x, int y) const;

 private:
  MessageBoxKind kind_;
  std::vector<MessageBoxButton> buttons_;
  MessageBoxLayout layout_;
};

}  // namespace korvane
