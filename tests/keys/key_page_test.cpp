#include "keys/key_page.h"

#include <gtest/gtest.h>

#include "config/factory_profile.h"
#include "support/golden.h"

namespace korvane {
namespace {

// One button's kind and the parameter arrays its kind reads.
void SetButton(MouseConfig& config, int button, ButtonKind kind, std::vector<std::pair<int, Byte>> args = {}) {
  config.buttonKind[button] = static_cast<Byte>(kind);
  for (const auto& [k, value] : args) config.Arg(k, button) = value;
}

// Every kind of function, over the factory buttons and two more sets of eight.
TEST(KeyPage, PagesAreTheGoldenBytes) {
  MouseConfig keys;
  SetButton(keys, 0, ButtonKind::DoubleClick);
  SetButton(keys, 1, ButtonKind::Multimedia, {{kMultimediaArg, 0x83}});
  SetButton(keys, 2, ButtonKind::Multimedia, {{kMultimediaArg, 0xE2}});
  SetButton(keys, 3, ButtonKind::Windows, {{kWindowsArg, 0}});
  SetButton(keys, 4, ButtonKind::Windows, {{kWindowsArg, 3}});
  SetButton(keys, 5, ButtonKind::HotKey, {{kHotKeyArg, 0x06}});
  SetButton(keys, 6, ButtonKind::SingleKey, {{kSingleKeyArg, 0x04}});
  SetButton(keys, 7, ButtonKind::ComboKey,
            {{kComboModifierArg, 0x02}, {kComboFirstKeyArg, 0x1D}, {kComboSecondKeyArg, 0x1B}});

  MouseConfig macroAndOff;
  SetButton(macroAndOff, 0, ButtonKind::MacroKey, {{kMacroNumberArg, 4}, {kMacroRepeatArg, 2}});
  SetButton(macroAndOff, 1, ButtonKind::ButtonOff);
  SetButton(macroAndOff, 2, ButtonKind::Windows, {{kWindowsArg, 6}});
  SetButton(macroAndOff, 3, ButtonKind::Windows, {{kWindowsArg, 7}});
  SetButton(macroAndOff, 4, ButtonKind::ScrollSelect, {{kScrollSelectArg, 4}});
  SetButton(macroAndOff, 5, ButtonKind::CpiCycle, {{kCpiCycleArg, 1}});
  SetButton(macroAndOff, 6, ButtonKind::Click);
  macroAndOff.buttonKind[7] = kButtonKindCount;

  const std::pair<const char*, MouseConfig> pages[] = {
      {"key_page_factory.hex", FactoryConfig()},
      {"key_page_keys.hex", keys},
      {"key_page_macro_and_off.hex", macroAndOff}};
  for (const auto& [file, config] : pages) {
    EXPECT_TRUE(testing::SameBytes(testing::GoldenBytes(file), BuildKeyPage(config))) << file;
  }
}

TEST(KeyPage, EachButtonLandsInItsSlot) {
  for (int button = 0; button < int(kButtonCount); ++button) {
    MouseConfig config;
    config.buttonKind.fill(static_cast<Byte>(ButtonKind::ButtonOff));
    config.buttonKind[button] = static_cast<Byte>(ButtonKind::Menu);
    DevicePage expected{};
    expected[4 * KEY_SLOT_OF_BUTTON[button]] = 0x01;
    expected[4 * KEY_SLOT_OF_BUTTON[button] + 2] = 0xF1;
    EXPECT_EQ(BuildKeyPage(config), expected) << "button " << button + 1;
  }
  // Buttons 4 and 5 sit at bytes 56-63, not in slots 3 and 4.
  EXPECT_EQ(4 * KEY_SLOT_OF_BUTTON[3], 56u);
  EXPECT_EQ(4 * KEY_SLOT_OF_BUTTON[4], 60u);
}

struct EntryCase {
  const char* name;
  Byte kind;
  std::vector<std::pair<int, Byte>> args;  // array k, value
  ButtonEntry entry;
};

// Test lists show a case by its name.
void PrintTo(const EntryCase& c, std::ostream* out) { *out << '"' << c.name << '"'; }

class ButtonEntryTest : public ::testing::TestWithParam<EntryCase> {};

TEST_P(ButtonEntryTest, Encodes) {
  const EntryCase& c = GetParam();
  MouseConfig config;
  // Parameters of every other kind are set to noise: an entry may read only its own kind's arrays.
  for (auto& array : config.buttonArg) array[6] = 0x5A;
  config.buttonKind[6] = c.kind;
  for (const auto& [k, value] : c.args) config.Arg(k, 6) = value;
  EXPECT_EQ(EncodeButtonEntry(config, 6), c.entry);
}

INSTANTIATE_TEST_SUITE_P(
    EveryKind, ButtonEntryTest,
    ::testing::Values(
        EntryCase{"Click", 0, {}, {0x01, 0x00, 0xF0, 0x00}},
        EntryCase{"Menu", 1, {}, {0x01, 0x00, 0xF1, 0x00}},
        EntryCase{"ScrollMiddle", 2, {{1, 1}}, {0x01, 0x00, 0xF2, 0x00}},
        EntryCase{"ScrollUp", 2, {{1, 2}}, {0x01, 0x00, 0xF7, 0x00}},
        EntryCase{"ScrollDown", 2, {{1, 3}}, {0x01, 0x00, 0xF8, 0x00}},
        EntryCase{"ScrollOutOfRange", 2, {{1, 4}}, {0, 0, 0, 0}},
        EntryCase{"ScrollZero", 2, {{1, 0}}, {0, 0, 0, 0}},
        EntryCase{"IeForward", 3, {}, {0x01, 0x00, 0xF4, 0x00}},
        EntryCase{"IeBackward", 4, {}, {0x01, 0x00, 0xF3, 0x00}},
        EntryCase{"DoubleClick", 5, {}, {0x0A, 0xF0, 0x1E, 0x02}},
        EntryCase{"CpiLoop", 6, {{2, 3}}, {0x07, 0x00, 0x03, 0x00}},
        EntryCase{"CpiByteSentUnchanged", 6, {{2, 0x99}}, {0x07, 0x00, 0x99, 0x00}},
        EntryCase{"MediaPlayer", 7, {{4, 0x83}}, {0x03, 0x00, 0x83, 0x01}},
        EntryCase{"VolumeUp", 7, {{4, 0xE9}}, {0x03, 0x00, 0xE9, 0x00}},
        EntryCase{"HotKeyCopy", 8, {{9, 0x06}}, {0x00, 0x00, 0xE0, 0x06}},
        EntryCase{"MyComputer", 9, {{5, 0}}, {0x03, 0x00, 0x94, 0x01}},
        EntryCase{"BrowserHome", 9, {{5, 1}}, {0x03, 0x00, 0x23, 0x02}},
        EntryCase{"Search", 9, {{5, 2}}, {0x03, 0x00, 0x21, 0x02}},
        EntryCase{"Maximum", 9, {{5, 3}}, {0x00, 0x04, 0x2C, 0x1B}},
        EntryCase{"Minimum", 9, {{5, 4}}, {0x00, 0x04, 0x2C, 0x11}},
        EntryCase{"ShowDesktop", 9, {{5, 5}}, {0x00, 0x00, 0xE3, 0x07}},
        EntryCase{"Run", 9, {{5, 6}}, {0x00, 0x00, 0xE3, 0x15}},
        EntryCase{"WindowsOutOfRange", 9, {{5, 7}}, {0, 0, 0, 0}},
        EntryCase{"SingleKeyA", 10, {{10, 0x04}}, {0x00, 0x00, 0x04, 0x00}},
        EntryCase{"SingleKeyUnknownName", 10, {{10, 0x00}}, {0, 0, 0, 0}},
        EntryCase{"ComboCtrlAB", 11, {{11, 0x01}, {12, 0x04}, {13, 0x05}}, {0x00, 0x01, 0x04, 0x05}},
        EntryCase{"ComboSecondKeyOnly", 11, {{11, 0}, {12, 0}, {13, 0x05}}, {0x00, 0x00, 0x00, 0x05}},
        EntryCase{"MacroFirstRepeat2", 12, {{18, 0}, {19, 2}}, {0x09, 0x02, 0x01, 0x00}},
        EntryCase{"MacroTwelfth", 12, {{18, 11}, {19, 0}}, {0x09, 0x00, 0x0C, 0x00}},
        EntryCase{"ButtonOff", 13, {}, {0, 0, 0, 0}},
        EntryCase{"KindAbove13", 14, {}, {0, 0, 0, 0}},
        EntryCase{"Kind255", 255, {}, {0, 0, 0, 0}}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace korvane
