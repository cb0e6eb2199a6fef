#include "profile/record_validation.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "config/button_kind.h"
#include "config/factory_profile.h"
#include "keys/button_catalogue.h"
#include "keys/key_tables.h"

namespace korvane {
namespace {

using ::testing::IsEmpty;

struct ParameterCase {
  const char* name;
  ButtonChoice choice;  // a sound one, whose byte in array `arg`
  int arg;
  Byte value;  // then changes to this
  const char* problem;
};

void PrintTo(const ParameterCase& c, std::ostream* out) { *out << '"' << c.name << '"'; }

class ButtonParameterTest : public ::testing::TestWithParam<ParameterCase> {};

constexpr int kButton = 2;

TEST_P(ButtonParameterTest, NamesTheBadByteOfTheButtonsKind) {
  const ParameterCase& c = GetParam();
  MouseConfig config = FactoryConfig();
  ASSERT_TRUE(ApplyButtonChoice(config, kButton, c.choice, ""));
  ASSERT_THAT(ValidateConfig(config), IsEmpty());
  const MouseConfigImage sound = config.ToBytes();
  config.Arg(c.arg, kButton) = c.value;
  const MouseConfigImage changed = config.ToBytes();

  const std::vector<FieldProblem> problems = ValidateConfig(config);
  ASSERT_EQ(problems.size(), 1u);
  EXPECT_EQ(problems[0].Describe(), c.problem);
  // The one byte of the image that changed.
  EXPECT_EQ(problems[0].offset(), std::size_t(std::ranges::mismatch(sound, changed).in1 - sound.begin()));
}

ButtonChoice Choice(ButtonKind kind) {
  ButtonChoice choice;
  choice.kind = kind;
  return choice;
}

INSTANTIATE_TEST_SUITE_P(
    Kinds, ButtonParameterTest,
    ::testing::Values(
        ParameterCase{"ScrollZero", Choice(ButtonKind::ScrollSelect), kScrollSelectArg, 0,
                      "button 3 scroll choice = 0 (allowed: 1-3)"},
        ParameterCase{"CpiFour", Choice(ButtonKind::CpiCycle), kCpiCycleArg, 4,
                      "button 3 cpi choice = 4 (allowed: 1-3)"},
        ParameterCase{"MultimediaUsageOffTheList", Choice(ButtonKind::Multimedia), kMultimediaArg, 0x84,
                      "button 3 multimedia choice = 132 (allowed: 131, 181-183, 205, 226, 233, 234)"},
        ParameterCase{"HotKeyLetterOffTheList", Choice(ButtonKind::HotKey), kHotKeyArg, 0x05,
                      "button 3 hotkey choice = 5 (allowed: 4, 6, 9, 17, 19, 22, 25, 27-29)"},
        ParameterCase{"WindowsSeven", Choice(ButtonKind::Windows), kWindowsArg, 7,
                      "button 3 windows choice = 7 (allowed: 0-6)"},
        ParameterCase{"SingleKeyWithoutName", Choice(ButtonKind::SingleKey), kSingleKeyArg, 0x64,
                      "button 3 single-key key = 100 (allowed: 0, 4-99, 101, 224-231, 240-242)"},
        ParameterCase{"ComboTwoModifiers", Choice(ButtonKind::ComboKey), kComboModifierArg, 0x03,
                      "button 3 combo-key modifier = 3 (allowed: 0-2, 4, 8, 16, 32, 64, 128)"},
        ParameterCase{"ComboFirstKeyBackButton", Choice(ButtonKind::ComboKey), kComboFirstKeyArg, 0xF3,
                      "button 3 combo-key first key = 243 (allowed: 0, 4-99, 101, 224-231, 240-242)"},
        ParameterCase{"ComboSecondKeyErrorCode", Choice(ButtonKind::ComboKey), kComboSecondKeyArg, 0x01,
                      "button 3 combo-key second key = 1 (allowed: 0, 4-99, 101, 224-231, 240-242)"},
        ParameterCase{"MacroTwelve", Choice(ButtonKind::MacroKey), kMacroNumberArg, 12,
                      "button 3 macro number = 12 (allowed: 0-11)"},
        ParameterCase{"MacroRepeatThree", Choice(ButtonKind::MacroKey), kMacroRepeatArg, 3,
                      "button 3 macro repeat mode = 3 (allowed: 0-2)"}),
    [](const auto& info) { return std::string(info.param.name); });

// Whatever the program writes into a button passes: every row of every sub-list, every key and modifier in
// every place of the keys, and none, every macro with every repeat mode.
TEST(ValidateConfig, EveryChoiceTheProgramStoresPasses) {
  std::vector<ButtonChoice> choices;
  for (const ButtonKindInfo& info : BUTTON_KINDS) {
    for (std::size_t row = 0; row < std::max<std::size_t>(info.subList.size(), 1); ++row) {
      choices.emplace_back(Choice(info.kind)).position = int(row);
    }
  }
  std::vector<std::string> keys = {""};
  for (const KeyNameCode& row : KEY_TABLE) keys.emplace_back(row.name);
  std::vector<std::string> modifiers = {""};
  modifiers.insert(modifiers.end(), MODIFIER_NAMES.begin(), MODIFIER_NAMES.end());
  for (const std::string& key : keys) {
    choices.emplace_back(Choice(ButtonKind::SingleKey)).keyName = key;
    for (const std::string& modifier : modifiers) {
      ButtonChoice& combo = choices.emplace_back(Choice(ButtonKind::ComboKey));
      combo.modifierName = modifier;
      combo.keyName = combo.secondKeyName = key;
    }
  }
  for (int macro = 0; macro < int(kMacroCount); ++macro) {
    for (Byte mode = 0; mode < kRepeatModeCount; ++mode) {
      ButtonChoice& choice = choices.emplace_back(Choice(ButtonKind::MacroKey));
      choice.macroNumber = macro;
      choice.repeatMode = mode;
    }
  }
  MouseConfig config = FactoryConfig();
  for (std::size_t i = 0; i < choices.size(); ++i) {
    const int button = int(i % kButtonCount);
    ASSERT_TRUE(ApplyButtonChoice(config, button, choices[i], "")) << i;
    EXPECT_EQ(DescribeProblems(ValidateConfig(config)), "") << LabelFromRecord(config, button, {}, "");
  }
}

}  // namespace
}  // namespace korvane
