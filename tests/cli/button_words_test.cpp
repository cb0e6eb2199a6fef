#include "cli/button_words.h"

#include <gtest/gtest.h>

#include <ostream>
#include <vector>

#include "support/button_choices.h"

namespace korvane {
namespace {

using namespace testing::choices;

struct ParseCase {
  const char* name;
  std::vector<std::string> words;
  bool ok;
  ButtonChoice expected;
};

// Test lists show a case by its name.
void PrintTo(const ParseCase& c, std::ostream* out) { *out << '"' << c.name << '"'; }

class ParseButtonChoiceTest : public ::testing::TestWithParam<ParseCase> {};

TEST_P(ParseButtonChoiceTest, Parses) {
  const ParseCase& c = GetParam();
  ButtonChoice choice;
  const Status status = ParseButtonChoice(c.words, choice);
  ASSERT_EQ(status.ok(), c.ok) << status.message();
  if (!c.ok) {
    EXPECT_FALSE(status.message().empty());
    return;
  }
  EXPECT_EQ(choice.kind, c.expected.kind);
  EXPECT_EQ(choice.position, c.expected.position);
  EXPECT_EQ(choice.keyName, c.expected.keyName);
  EXPECT_EQ(choice.modifierName, c.expected.modifierName);
  EXPECT_EQ(choice.secondKeyName, c.expected.secondKeyName);
  EXPECT_EQ(choice.macroNumber, c.expected.macroNumber);
  EXPECT_EQ(choice.repeatMode, c.expected.repeatMode);
}

INSTANTIATE_TEST_SUITE_P(
    Words, ParseButtonChoiceTest,
    ::testing::Values(
        ParseCase{"Click", {"click"}, true, Kind(ButtonKind::Click)},
        ParseCase{"TokenCaseIgnored", {"Double-Click"}, true, Kind(ButtonKind::DoubleClick)},
        ParseCase{"CpiLoop", {"cpi", "loop"}, true, Kind(ButtonKind::CpiCycle, 2)},
        ParseCase{"SubListByEnglishText", {"multimedia", "Volume Up"}, true, Kind(ButtonKind::Multimedia, 6)},
        ParseCase{"Hotkey", {"hotkey", "select-all"}, true, Kind(ButtonKind::HotKey, 9)},
        ParseCase{"SingleKey", {"single-key", "Num 1"}, true, Single("Num 1")},
        ParseCase{"Combo", {"combo-key", "Left Ctrl", "A", "B"}, true, Combo("Left Ctrl", "A", "B")},
        ParseCase{"ComboWithoutModifier", {"combo-key", "A", "B"}, true, Combo("", "A", "B")},
        ParseCase{"ComboModifierOnly", {"combo-key", "Right Shift"}, true, Combo("Right Shift", "", "")},
        ParseCase{"SingleKeyByModifierName", {"single-key", "Left Ctrl"}, true, Single("Ctrl")},
        ParseCase{"SingleKeyRightWin", {"single-key", "Right Win"}, true, Single("Right Windows")},
        ParseCase{"SingleKeyNone", {"single-key", "none"}, true, Single("")},
        ParseCase{"SingleKeyRightCtrl", {"single-key", "Right Ctrl"}, true, Single("Right Ctrl")},
        ParseCase{"ComboKeyByModifierName", {"combo-key", "Left Shift", "Left Ctrl"}, true,
                  Combo("Left Shift", "Ctrl", "")},
        // Of three words the first can only be the modifier; of two, both are keys.
        ParseCase{"ComboModifierByKeyName", {"combo-key", "Ctrl", "A", "B"}, true, Combo("Left Ctrl", "A", "B")},
        ParseCase{"ComboTwoModifierKeys", {"combo-key", "Ctrl", "A"}, true, Combo("", "Ctrl", "A")},
        ParseCase{"ComboEmptyPlaces", {"combo-key", "none", "none", "B"}, true, Combo("", "", "B")},
        ParseCase{"ComboModifierAndSecondKey", {"combo-key", "Right Alt", "none", "B"}, true,
                  Combo("Right Alt", "", "B")},
        ParseCase{"ComboAllEmpty", {"combo-key", "none"}, true, Combo("", "", "")},
        ParseCase{"Macro", {"macro", "0", "2"}, true, Macro(0, 2, "")},
        ParseCase{"MacroDefaultMode", {"macro", "11"}, true, Macro(11, 0, "")},
        ParseCase{"Empty", {}, false, {}},
        ParseCase{"UnknownKind", {"jump"}, false, {}},
        ParseCase{"MissingSubList", {"cpi"}, false, {}},
        ParseCase{"UnknownSubList", {"windows", "reboot"}, false, {}},
        ParseCase{"ExtraWord", {"menu", "now"}, false, {}},
        ParseCase{"LowerCaseKey", {"single-key", "a"}, false, {}},
        ParseCase{"TwoSingleKeys", {"single-key", "A", "B"}, false, {}},
        ParseCase{"ComboThreeKeys", {"combo-key", "A", "B", "C"}, false, {}},
        ParseCase{"ComboFourWords", {"combo-key", "none", "A", "B", "C"}, false, {}},
        ParseCase{"ComboNoneInCapitals", {"combo-key", "NONE", "A"}, false, {}},
        ParseCase{"ComboEmpty", {"combo-key"}, false, {}},
        ParseCase{"MacroTwelve", {"macro", "12", "0"}, false, {}},
        ParseCase{"MacroMode3", {"macro", "0", "3"}, false, {}},
        ParseCase{"MacroNotANumber", {"macro", "first"}, false, {}}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace korvane
