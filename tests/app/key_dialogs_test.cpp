#include "app/key_dialogs.h"

#include <gtest/gtest.h>


namespace korvane {
namespace {

TEST(KeyDialogsTest, TheSingleKeyDialogKeepsTheLastKeyCutTo31Characters) {
  SingleKeyModel single;
  single.OnKey("A");
  single.OnKey("B");
  EXPECT_EQ(single.keyName, "B");
  single.OnKey(std::string(40, 'x'));
  EXPECT_EQ(single.keyName, std::string(31, 'x'));
  single.OnKey("\xE7\xA9\xBA" + std::string(30, 'y'));  // a wide first character stays whole
  EXPECT_EQ(single.keyName.size(), 3u + 30u);
}

TEST(KeyDialogsTest, ComboKeysGoToTheFocusedBoxAndNeverWhileTheModifierListIsOpen) {
  ComboKeyModel combo;
  combo.OnKey("A");  // no box has the focus
  EXPECT_EQ(combo.firstKeyName(), "");
  combo.SetFocus(ComboKeyModel::Focus::kFirstKey);
  combo.OnKey("A");
  combo.SetFocus(ComboKeyModel::Focus::kSecondKey);
  combo.OnKey("B");
  EXPECT_EQ(combo.Press(60, 75), KeyDialogButton::kNone);  // the modifier box opens the list
  EXPECT_TRUE(combo.listOpen());
  combo.OnKey("C");
  EXPECT_EQ(combo.secondKeyName(), "B");
  combo.ChooseModifier(4);
  EXPECT_EQ(combo.modifierName(), "Right Ctrl");
  EXPECT_FALSE(combo.listOpen());
  combo.Press(60, 75);
  EXPECT_EQ(combo.Press(10, 10), KeyDialogButton::kNone);  // a press elsewhere closes it
  EXPECT_FALSE(combo.listOpen());
  EXPECT_EQ(combo.Press(260, 260), KeyDialogButton::kOk);
  EXPECT_EQ(combo.Press(369, 23), KeyDialogButton::kClose);
}

TEST(KeyDialogsTest, TheMacroKeyDialogChoosesAMacroAndAModeAndRefusesOkWithoutOne) {
  MacroKeyModel none({});
  EXPECT_EQ(none.OkRefusal(), "There is no macro yet. Record one in the Macro Manager first.");

  MacroKeyModel model({"One", "Two", "Three"});
  EXPECT_FALSE(model.OkRefusal().empty());
  model.Press(50, 130);
  model.Press(50, 130);
  EXPECT_FALSE(model.listOpen());  // opened and closed, nothing chosen
  model.Press(50, 130);
  model.Choose(2);
  EXPECT_EQ(model.macroNumber(), 2);
  EXPECT_EQ(model.chosenName(), "Three");
  model.Press(50, 130);
  model.Press(225, 185);  // a mode box while the list is open: closes it and sets the mode
  EXPECT_FALSE(model.listOpen());
  EXPECT_EQ(model.repeatMode(), 2);
  EXPECT_EQ(model.OkRefusal(), "");
  EXPECT_EQ(model.Press(300, 260), KeyDialogButton::kOk);
}

}  // namespace
}  // namespace korvane
