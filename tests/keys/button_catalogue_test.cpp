#include "keys/button_catalogue.h"

#include <gtest/gtest.h>

#include "keys/key_page.h"
#include "keys/key_tables.h"
#include "support/button_choices.h"

namespace korvane {
namespace {

using namespace testing::choices;

constexpr int kButton = 4;
constexpr Byte kNoise = 0x5A;

MouseConfig NoisyConfig() {
  MouseConfig config;
  for (auto& array : config.buttonArg) array.fill(kNoise);
  config.buttonKind.fill(static_cast<Byte>(ButtonKind::Click));
  return config;
}

struct ApplyCase {
  const char* name;
  ButtonChoice choice;
  std::vector<std::pair<int, Byte>> writes;  // array k, value
  const char* label;
};

// Test lists show a case by its name.
void PrintTo(const ApplyCase& c, std::ostream* out) { *out << '"' << c.name << '"'; }

class ApplyButtonChoiceTest : public ::testing::TestWithParam<ApplyCase> {};

TEST_P(ApplyButtonChoiceTest, WritesOnlyTheKindsArraysAndLabels) {
  const ApplyCase& c = GetParam();
  MouseConfig config = NoisyConfig();
  MouseConfig expected = config;
  expected.buttonKind[kButton] = static_cast<Byte>(c.choice.kind);
  for (const auto& [k, value] : c.writes) expected.Arg(k, kButton) = value;

  EXPECT_EQ(ApplyButtonChoice(config, kButton, c.choice, "EN"), std::optional<std::string>(c.label));
  EXPECT_EQ(config, expected);
  // The record gives the same label back, but for a key name the table lacks, which is stored as code 0.
  if (c.choice.keyName.empty() || KeyNameToUsage(c.choice.keyName) != 0) {
    const std::vector<std::string> macroNames = {"Macro_0"};
    EXPECT_EQ(LabelFromRecord(config, kButton, macroNames, "EN"), c.label);
  }
}

TEST(ButtonCatalogue, LabelFromRecordNamesWhatNoDialogStores) {
  MouseConfig config = NoisyConfig();
  config.buttonKind[0] = static_cast<Byte>(ButtonKind::MacroKey);
  config.Arg(kMacroNumberArg, 0) = 3;  // record.ini lists only two macros
  const std::vector<std::string> macroNames = {"One", "Two"};
  EXPECT_EQ(LabelFromRecord(config, 0, macroNames, ""), "Macro Key-3");
  config.Arg(kMacroNumberArg, 0) = 1;
  EXPECT_EQ(LabelFromRecord(config, 0, macroNames, "CHT"), "巨集-Two");

  config.buttonKind[0] = static_cast<Byte>(ButtonKind::Multimedia);  // usage 0x5A is not on the list
  EXPECT_EQ(LabelFromRecord(config, 0, macroNames, ""), "Multimedia");
  config.buttonKind[0] = static_cast<Byte>(ButtonKind::ComboKey);
  config.Arg(kComboModifierArg, 0) = 0x05;  // two modifiers
  config.Arg(kComboFirstKeyArg, 0) = 0x04;
  config.Arg(kComboSecondKeyArg, 0) = 0;
  EXPECT_EQ(LabelFromRecord(config, 0, macroNames, ""), "Combo Key-Left Ctrl+A");
  config.buttonKind[0] = kButtonKindCount;
  EXPECT_EQ(LabelFromRecord(config, 0, macroNames, ""), "");
}

INSTANTIATE_TEST_SUITE_P(
    Choices, ApplyButtonChoiceTest,
    ::testing::Values(
        ApplyCase{"Menu", Kind(ButtonKind::Menu), {}, "Menu"},
        ApplyCase{"DoubleClick", Kind(ButtonKind::DoubleClick), {}, "Double Click"},
        ApplyCase{"Off", Kind(ButtonKind::ButtonOff), {}, "Button Off"},
        ApplyCase{"ScrollDown", Kind(ButtonKind::ScrollSelect, 2), {{1, 3}}, "Mouse Scroll Down"},
        ApplyCase{"CpiPlus", Kind(ButtonKind::CpiCycle, 0), {{2, 1}}, "CPI +"},
        ApplyCase{"CpiLoop", Kind(ButtonKind::CpiCycle, 2), {{2, 3}}, "CPI Loop"},
        ApplyCase{"MediaPlayer", Kind(ButtonKind::Multimedia, 0), {{4, 0x83}}, "Media player"},
        ApplyCase{"VolumeUp", Kind(ButtonKind::Multimedia, 6), {{4, 0xE9}}, "Volume Up"},
        ApplyCase{"Copy", Kind(ButtonKind::HotKey, 2), {{9, 0x06}}, "Copy"},
        ApplyCase{"SelectAll", Kind(ButtonKind::HotKey, 9), {{9, 0x04}}, "Select All"},
        ApplyCase{"Run", Kind(ButtonKind::Windows, 6), {{5, 6}}, "Run"},
        ApplyCase{"SingleA", Single("A"), {{10, 0x04}}, "Single Key-A"},
        ApplyCase{"SingleUnknownKeepsName", Single("Strg"), {{10, 0}}, "Single Key-Strg"},
        ApplyCase{"ComboFull", Combo("Left Ctrl", "A", "B"), {{11, 1}, {12, 4}, {13, 5}},
                  "Combo Key-Left Ctrl+A+B"},
        ApplyCase{"ComboNoFirst", Combo("Left Ctrl", "", "B"), {{11, 1}, {12, 0}, {13, 5}},
                  "Combo Key-Left Ctrl+B"},
        ApplyCase{"ComboNoModifier", Combo("", "A", "B"), {{11, 0}, {12, 4}, {13, 5}}, "Combo Key-A+B"},
        ApplyCase{"ComboSecondOnly", Combo("", "", "B"), {{11, 0}, {12, 0}, {13, 5}}, "Combo Key-B"},
        ApplyCase{"ComboUnknownPartsLeftOut", Combo("Ctrl", "a", "Left Win"), {{11, 0}, {12, 0}, {13, 0}},
                  "Combo Key-"},
        ApplyCase{"Macro", Macro(0, 2, "Macro_0"), {{18, 0}, {19, 2}}, "Macro Key-Macro_0"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(ButtonCatalogue, RefusesChoicesOutsideTheirLists) {
  for (const ButtonChoice& choice : {Kind(ButtonKind::Windows, 7), Kind(ButtonKind::ScrollSelect, -1),
                                     Kind(ButtonKind::HotKey, 10), Macro(12, 0, "x"), Macro(0, 3, "x")}) {
    MouseConfig config = NoisyConfig();
    const MouseConfig before = config;
    EXPECT_FALSE(CheckButtonChoice(choice));
    EXPECT_EQ(ApplyButtonChoice(config, kButton, choice, ""), std::nullopt);
    EXPECT_EQ(config, before);
  }
  MouseConfig config;
  EXPECT_EQ(ApplyButtonChoice(config, 8, Kind(ButtonKind::Menu), ""), std::nullopt);
}

TEST(ButtonCatalogue, ChosenMacroReachesTheKeyPage) {
  MouseConfig config;
  ASSERT_TRUE(ApplyButtonChoice(config, 0, Macro(2, 2, "Third"), ""));
  EXPECT_EQ(EncodeButtonEntry(config, 0), (ButtonEntry{0x09, 0x02, 0x03, 0x00}));
}

TEST(ButtonCatalogue, LabelsFollowTheLanguageCode) {
  MouseConfig config;
  EXPECT_EQ(ApplyButtonChoice(config, 1, Single("A"), "CHS"), "单键-A");
  EXPECT_EQ(ApplyButtonChoice(config, 1, Combo("Left Ctrl", "A", ""), "CHT"), "複合鍵-Left Ctrl+A");
  EXPECT_EQ(ApplyButtonChoice(config, 1, Kind(ButtonKind::ScrollSelect, 1), "CHT"), "上滾輪");
  EXPECT_EQ(ApplyButtonChoice(config, 1, Kind(ButtonKind::DoubleClick), "CHT"), "双击");
  EXPECT_EQ(ApplyButtonChoice(config, 1, Macro(0, 0, "M"), "CHT"), "巨集-M");
  // The CPI sub-list and "Windows" read the same in every language; the code is case-sensitive.
  EXPECT_EQ(ApplyButtonChoice(config, 1, Kind(ButtonKind::CpiCycle, 2), "CHS"), "CPI Loop");
  EXPECT_EQ(KindInfo(ButtonKind::Windows).text.In("CHS"), "Windows");
  EXPECT_EQ(ApplyButtonChoice(config, 1, Kind(ButtonKind::Click), "chs"), "Click");
  EXPECT_EQ(LeftButtonWarningText("CHS"), "左键功能必须选择！");
  EXPECT_EQ(LeftButtonWarningText("XX"), "Left key must be selected!");
}

TEST(ButtonCatalogue, ListsTheFourteenKindsInKindOrder) {
  for (int kind = 0; kind < kButtonKindCount; ++kind) {
    EXPECT_EQ(static_cast<int>(BUTTON_KINDS[kind].kind), kind);
    EXPECT_EQ(FindKindByToken(BUTTON_KINDS[kind].token), &BUTTON_KINDS[kind]);
  }
  EXPECT_EQ(BUTTON_KINDS[9].subList.size(), 7u);
  EXPECT_TRUE(BUTTON_KINDS[10].subList.empty());
}

TEST(ButtonCatalogue, LastClickButtonIsLocked) {
  MouseConfig config;
  config.buttonKind = {0, 1, 2, 2, 2, 6, 3, 4};
  EXPECT_TRUE(LeftButtonLocked(config, 0));
  EXPECT_FALSE(LeftButtonLocked(config, 1));
  config.buttonKind[7] = 0;
  EXPECT_FALSE(LeftButtonLocked(config, 0));
  EXPECT_FALSE(LeftButtonLocked(config, 7));
}

}  // namespace
}  // namespace korvane
