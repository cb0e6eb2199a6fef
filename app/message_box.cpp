#include "app/message_box.h"

#include <algorithm>
#include <numeric>

namespace korvane {

namespace {

constexpr int kMarkGap = 12;
constexpr int kCloseInset = 6;

}  // namespace

MessageBoxModel::MessageBoxModel(MessageBoxKind kind, const MessageStrings& text, std::string_view copyCaption)
    : kind_(kind) {
  if (kind == MessageBoxKind::kQuestion) {
    buttons_ = {{MessageBoxAnswer::kYes, text.yes, 'Y'}, {MessageBoxAnswer::kNo, text.no, 'N'}};
  } else {
    buttons_ = {{MessageBoxAnswer::kOk, text.ok, 'O'}};
    if (!copyCaption.empty()) buttons_.push_back({MessageBoxAnswer::kCopy, copyCaption, 0});
  }
}

MessageBoxAnswer MessageBoxModel::escapeAnswer() const {
  return kind_ == MessageBoxKind::kQuestion ? MessageBoxAnswer::kNo : MessageBoxAnswer::kOk;
}

MessageBoxAnswer MessageBoxModel::AnswerForLetter(char letter) const {
  const char upper = letter >= 'a' && letter <= 'z' ? static_cast<char>(letter - 'a' + 'A') : letter;
  for (const MessageBoxButton& button : buttons_) {
    if (button.mnemonic != 0 && button.mnemonic == upper) return button.answer;
  }
  return MessageBoxAnswer::kNone;
}

const MessageBoxLayout& MessageBoxModel::LayOut(int textWidth, int textHeight, const std::vector<int>& buttonWidths,
                                                int buttonHeight) {
  MessageBoxLayout& l = layout_;
  const int buttonRow = std::accumulate(buttonWidths.begin(), buttonWidths.end(), 0) +
                        kMessageBoxButtonGap * static_cast<int>(buttonWidths.size() - 1);
  const int textLeft = kMessageBoxMargin + kMessageBoxMarkSize + kMarkGap;
  l.width = std::max({kMessageBoxMinimumWidth, textLeft + textWidth + kMessageBoxMargin,
                      buttonRow + 2 * kMessageBoxMargin});
  const int top = kMessageBoxCaptionHeight + kMessageBoxMargin;
  l.close = {l.width - kCloseInset - kMessageBoxCloseSize, kCloseInset, l.width - kCloseInset,
             kCloseInset + kMessageBoxCloseSize};
  l.caption = {kMessageBoxMargin, 0, l.close.left - kCloseInset, kMessageBoxCaptionHeight};
  l.mark = {kMessageBoxMargin, top, kMessageBoxMargin + kMessageBoxMarkSize, top + kMessageBoxMarkSize};
  l.text = {textLeft, top, textLeft + textWidth, top + std::max(textHeight, kMessageBoxMarkSize)};
  const int buttonTop = l.text.bottom + kMessageBoxMargin;
  l.height = buttonTop + buttonHeight + kMessageBoxMargin;
  // The row sits at the right, in the order of the buttons.
  int left = l.width - kMessageBoxMargin - buttonRow;
  l.buttons.clear();
  for (const int width : buttonWidths) {
    l.buttons.push_back({left, buttonTop, left + width, buttonTop + buttonHeight});
    left += width + kMessageBoxButtonGap;
  }
  return l;
}

int MessageBoxModel::ButtonAt(int x, int y) const {
  for (std::size_t i = 0; i < layout_.buttons.size(); ++i) {
    if (layout_.buttons[i].Contains(x, y)) return static_cast<int>(i);
  }
  return -1;
}

MessageBoxAnswer MessageBoxModel::Press(int x, int y) const {
  if (layout_.close.Contains(x, y)) return escapeAnswer();
  const int button = ButtonAt(x, y);
  return button < 0 || button >= static_cast<int>(buttons_.size()) ? MessageBoxAnswer::kNone
                                                                   : buttons_[static_cast<std::size_t>(button)].answer;
}

}  // namespace korvane
