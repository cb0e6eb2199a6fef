#include "app/message_box.h"

#include <gtest/gtest.h>

namespace korvane {
namespace {

const MessageStrings& kEnglish = MessageStringsFor(Language::English);

TEST(MessageBoxModelTest, ButtonsAndWhatEnterEscapeAndCloseAnswer) {
  const MessageBoxModel message(MessageBoxKind::kWarning, kEnglish);
  ASSERT_EQ(message.buttons().size(), 1u);
  EXPECT_EQ(message.buttons()[0].caption, "OK");
  EXPECT_EQ(message.enterAnswer(), MessageBoxAnswer::kOk);
  EXPECT_EQ(message.escapeAnswer(), MessageBoxAnswer::kOk);

  const MessageBoxModel question(MessageBoxKind::kQuestion, kEnglish);
  ASSERT_EQ(question.buttons().size(), 2u);
  EXPECT_EQ(question.buttons()[0].caption, "Yes");
  EXPECT_EQ(question.buttons()[1].caption, "No");
  EXPECT_EQ(question.enterAnswer(), MessageBoxAnswer::kYes);
  EXPECT_EQ(question.escapeAnswer(), MessageBoxAnswer::kNo) << "a question closed unanswered is a no";

  // In a Chinese window the buttons speak Chinese; their letters still answer.
  const MessageBoxModel chinese(MessageBoxKind::kQuestion, MessageStringsFor(Language::SimplifiedChinese));
  EXPECT_EQ(chinese.buttons()[0].caption, "是");
  EXPECT_EQ(chinese.buttons()[1].caption, "否");
  EXPECT_EQ(chinese.AnswerForLetter('y'), MessageBoxAnswer::kYes);
  EXPECT_EQ(question.AnswerForLetter('y'), MessageBoxAnswer::kYes);
  EXPECT_EQ(question.AnswerForLetter('N'), MessageBoxAnswer::kNo);
  EXPECT_EQ(question.AnswerForLetter('O'), MessageBoxAnswer::kNone);

  const MessageBoxModel command(MessageBoxKind::kWarning, kEnglish, "Copy command");
  ASSERT_EQ(command.buttons().size(), 2u);
  EXPECT_EQ(command.buttons()[1].answer, MessageBoxAnswer::kCopy);
  EXPECT_EQ(command.buttons()[1].caption, "Copy command");
  EXPECT_EQ(command.enterAnswer(), MessageBoxAnswer::kOk) << "Enter never copies";
  EXPECT_EQ(command.AnswerForLetter('c'), MessageBoxAnswer::kNone);
  EXPECT_EQ(command.AnswerForLetter('o'), MessageBoxAnswer::kOk);
}

TEST(MessageBoxModelTest, TheFaceGrowsWithTheTextAndButtonsAndPressesFindTheirButtons) {
  MessageBoxModel question(MessageBoxKind::kQuestion, kEnglish);
  const MessageBoxLayout& small = question.LayOut(40, 10, {60, 60}, 25);
  EXPECT_EQ(small.width, kMessageBoxMinimumWidth);
  EXPECT_GE(small.text.height(), kMessageBoxMarkSize) << "a one-line text is as high as the mark";
  ASSERT_EQ(small.buttons.size(), 2u);
  EXPECT_EQ(small.buttons[1].right, small.width - kMessageBoxMargin) << "the row ends at the right margin";
  EXPECT_EQ(small.buttons[0].right + kMessageBoxButtonGap, small.buttons[1].left);
  EXPECT_GT(small.buttons[0].top, small.text.bottom);
  EXPECT_EQ(small.height, small.buttons[0].bottom + kMessageBoxMargin);
  EXPECT_LE(small.caption.right, small.close.left) << "the caption never runs under the close button";

  EXPECT_EQ(question.Press(small.buttons[0].left, small.buttons[0].top), MessageBoxAnswer::kYes);
  EXPECT_EQ(question.Press(small.buttons[1].right - 1, small.buttons[1].bottom - 1), MessageBoxAnswer::kNo);
  EXPECT_EQ(question.Press(small.buttons[1].right, small.buttons[1].top), MessageBoxAnswer::kNone);
  EXPECT_EQ(question.Press(small.close.left, small.close.top), MessageBoxAnswer::kNo);
  EXPECT_EQ(question.Press(small.text.left, small.text.top), MessageBoxAnswer::kNone) << "the face moves the box";
  EXPECT_EQ(question.ButtonAt(small.buttons[0].left + 1, small.buttons[0].top + 1), 0);

  const MessageBoxLayout& wide = question.LayOut(kMessageBoxTextWidth, 120, {60, 60}, 25);
  EXPECT_EQ(wide.text.width(), kMessageBoxTextWidth);
  EXPECT_EQ(wide.width, wide.text.right + kMessageBoxMargin);
  EXPECT_EQ(wide.text.height(), 120);

  // Buttons wider than the text widen the box.
  MessageBoxModel command(MessageBoxKind::kInformation, kEnglish, "Copy command");
  const MessageBoxLayout& buttons = command.LayOut(40, 10, {200, 200}, 25);
  EXPECT_EQ(buttons.width, 400 + kMessageBoxButtonGap + 2 * kMessageBoxMargin);
  EXPECT_EQ(buttons.buttons[0].left, kMessageBoxMargin);
}

}  // namespace
}  // namespace korvane
