#include "ui/in_place_edit.h"

#include <gtest/gtest.h>

#include <vector>

namespace korvane {
namespace {

using Result = InPlaceEdit::Result;

// An owner that refuses the names it already has, and blank ones.
class Owner {
 public:
  InPlaceEdit::Offer offer() {
    return [this](const std::string& text) -> std::string {
      offered.push_back(text);
      if (text.find_first_not_of(' ') == std::string::npos) return "A name is needed.";
      if (text == "Taken") return "There is already a macro named \"Taken\".";
      return {};
    };
  }
  std::vector<std::string> offered;
};

TEST(InPlaceEditTest, EnterOrLeavingCommitsATakenTextWhichTheEntryThenShows) {
  Owner owner;
  InPlaceEdit edit("Macro_1", owner.offer());
  EXPECT_TRUE(edit.open());
  EXPECT_EQ(edit.shown(), "Macro_1");
  EXPECT_EQ(edit.Commit("Jump"), Result::kTaken);
  EXPECT_FALSE(edit.open());
  EXPECT_EQ(edit.shown(), "Jump");
  EXPECT_EQ(edit.TakeMessage(), "");
  EXPECT_EQ(owner.offered, std::vector<std::string>{"Jump"});
}

TEST(InPlaceEditTest, ARefusedTextClosesTheEditKeepsTheOldTextAndTellsWhyOnce) {
  Owner owner;
  InPlaceEdit edit("Macro_1", owner.offer());
  EXPECT_EQ(edit.Commit("Taken"), Result::kRefused);
  EXPECT_FALSE(edit.open());
  EXPECT_EQ(edit.shown(), "Macro_1");
  EXPECT_EQ(edit.TakeMessage(), "There is already a macro named \"Taken\".");
  EXPECT_EQ(edit.TakeMessage(), "");  // told once
  // The focus-out that follows (the message box takes the focus) and any later key do nothing.
  EXPECT_EQ(edit.Commit("Taken"), Result::kClosed);
  EXPECT_EQ(edit.Cancel(), Result::kClosed);
  EXPECT_EQ(edit.TakeMessage(), "");
  EXPECT_EQ(owner.offered, std::vector<std::string>{"Taken"});
}

TEST(InPlaceEditTest, ABlankTextIsRefusedLikeAnyOther) {
  Owner owner;
  InPlaceEdit edit("PROFILE_0", owner.offer());
  EXPECT_EQ(edit.Commit("  "), Result::kRefused);
  EXPECT_EQ(edit.shown(), "PROFILE_0");
  EXPECT_EQ(edit.TakeMessage(), "A name is needed.");
}

TEST(InPlaceEditTest, EscapeCancelsWithoutAskingTheOwner) {
  Owner owner;
  InPlaceEdit edit("Macro_1", owner.offer());
  EXPECT_EQ(edit.Cancel(), Result::kCancelled);
  EXPECT_FALSE(edit.open());
  EXPECT_EQ(edit.shown(), "Macro_1");
  EXPECT_EQ(edit.Commit("Jump"), Result::kClosed);  // the focus-out after Escape commits nothing
  EXPECT_TRUE(owner.offered.empty());
  EXPECT_EQ(edit.TakeMessage(), "");
}

TEST(InPlaceEditTest, TheEntrysOwnTextIsNotOffered) {
  Owner owner;
  InPlaceEdit edit("Taken", owner.offer());  // would be refused as a duplicate of itself
  EXPECT_EQ(edit.Commit("Taken"), Result::kUnchanged);
  EXPECT_FALSE(edit.open());
  EXPECT_EQ(edit.shown(), "Taken");
  EXPECT_TRUE(owner.offered.empty());
  EXPECT_EQ(edit.TakeMessage(), "");
}

TEST(InPlaceEditTest, TheEditIsClosedWhileTheOwnerIsAsked) {
  // An owner that shows a window or refills its list while asked sends the box a focus-out: that must
  // not offer the text a second time.
  InPlaceEdit* self = nullptr;
  int asked = 0;
  InPlaceEdit edit("Macro_1", [&](const std::string& text) {
    ++asked;
    EXPECT_FALSE(self->open());
    EXPECT_EQ(self->Commit(text), Result::kClosed);
    return std::string("no");
  });
  self = &edit;
  EXPECT_EQ(edit.Commit("Jump"), Result::kRefused);
  EXPECT_EQ(asked, 1);
}

}  // namespace
}  // namespace korvane
