#include "keys/windows_key_names.h"

#include <gtest/gtest.h>

#include <set>

#include "keys/key_tables.h"

namespace korvane {
namespace {

struct WindowsKeyCase {
  std::uint32_t virtualKey;
  std::uint32_t scanCode;  // extended flag in bit 8
  const char* systemName;
  const char* name;
};

// Test lists show a case by its key and the name it expects.
void PrintTo(const WindowsKeyCase& c, std::ostream* out) {
  *out << std::hex << "vk 0x" << c.virtualKey << " scan 0x" << c.scanCode << std::dec;
  *out << " \"" << c.name << '"';
}

class WindowsKeyNameTest : public ::testing::TestWithParam<WindowsKeyCase> {};

TEST_P(WindowsKeyNameTest, NamesTheKey) {
  const WindowsKeyCase& c = GetParam();
  EXPECT_EQ(KeyNameFromWindowsKey(c.virtualKey, c.scanCode, c.systemName), c.name);
}

// Window messages report VK_SHIFT, VK_CONTROL and VK_MENU; a low-level hook reports the sided keys.
INSTANTIATE_TEST_SUITE_P(
    Modifiers, WindowsKeyNameTest,
    ::testing::Values(
        WindowsKeyCase{0x10, 0x2A, "Shift", "Shift"},
        WindowsKeyCase{0x10, 0x36, "Right Shift", "Right Shift"},
        WindowsKeyCase{0x10, 0x136, "", "Right Shift"}, WindowsKeyCase{0x10, 0, "", "Shift"},
        WindowsKeyCase{0x11, 0x1D, "Strg", "Ctrl"}, WindowsKeyCase{0x11, 0x11D, "Strg-Rechts", "Right Ctrl"},
        WindowsKeyCase{0x12, 0x38, "Alt", "Alt"}, WindowsKeyCase{0x12, 0x138, "Alt Gr", "Right Alt"},
        WindowsKeyCase{0xA0, 0x2A, "", "Shift"}, WindowsKeyCase{0xA1, 0x36, "", "Right Shift"},
        WindowsKeyCase{0xA2, 0x1D, "", "Ctrl"}, WindowsKeyCase{0xA3, 0x11D, "", "Right Ctrl"},
        WindowsKeyCase{0xA4, 0x38, "", "Alt"}, WindowsKeyCase{0xA5, 0x138, "", "Right Alt"},
        WindowsKeyCase{0x5B, 0x15B, "Linke Windows", "Left Windows"},
        WindowsKeyCase{0x5C, 0x15C, "", "Right Windows"},
        WindowsKeyCase{0x5D, 0x15D, "Anwendung", "Application"}));

// The keypad is named by its scan code with Num Lock on or off; the navigation block shares its virtual
// keys but has extended scan codes.
INSTANTIATE_TEST_SUITE_P(
    Keypad, WindowsKeyNameTest,
    ::testing::Values(
        WindowsKeyCase{0x67, 0x47, "7 (Zehnertastatur)", "Num 7"}, WindowsKeyCase{0x24, 0x47, "", "Num 7"},
        WindowsKeyCase{0x24, 0x147, "Pos1", "Home"}, WindowsKeyCase{0x26, 0x48, "", "Num 8"},
        WindowsKeyCase{0x26, 0x148, "", "Up"}, WindowsKeyCase{0x21, 0x49, "", "Num 9"},
        WindowsKeyCase{0x21, 0x149, "Bild-Auf", "Page Up"}, WindowsKeyCase{0x0C, 0x4C, "", "Num 5"},
        WindowsKeyCase{0x65, 0x4C, "", "Num 5"}, WindowsKeyCase{0x22, 0x51, "", "Num 3"},
        WindowsKeyCase{0x22, 0x151, "", "Page Down"}, WindowsKeyCase{0x2D, 0x52, "", "Num 0"},
        WindowsKeyCase{0x2D, 0x152, "", "Insert"},
        WindowsKeyCase{0x2E, 0x53, "Komma (Zehnertastatur)", "Num Del"},
        WindowsKeyCase{0x6E, 0x53, "", "Num Del"}, WindowsKeyCase{0x2E, 0x153, "Entf", "Delete"},
        WindowsKeyCase{0x6D, 0x4A, "", "Num -"}, WindowsKeyCase{0x6B, 0x4E, "", "Num +"},
        WindowsKeyCase{0x6A, 0x37, "", "Num *"}, WindowsKeyCase{0x6F, 0x135, "", "Num /"},
        WindowsKeyCase{0x0D, 0x11C, "", "Num Enter"}, WindowsKeyCase{0x0D, 0x1C, "Eingabe", "Enter"},
        WindowsKeyCase{0x90, 0x145, "", "Num Lock"},
        // Keys sent without a scan code are named by their virtual key.
        WindowsKeyCase{0x24, 0, "", "Home"}, WindowsKeyCase{0x69, 0, "", "Num 9"}));

// Names the key table knows come out the same whatever Windows calls the key.
INSTANTIATE_TEST_SUITE_P(
    FixedNames, WindowsKeyNameTest,
    ::testing::Values(
        WindowsKeyCase{'A', 0x1E, "A", "A"}, WindowsKeyCase{'Z', 0x15, "Z", "Z"},
        WindowsKeyCase{'0', 0x0B, "0", "0"}, WindowsKeyCase{'7', 0x08, "", "7"},
        WindowsKeyCase{0x2C, 0x137, "Druck", "Prnt Scrn"}, WindowsKeyCase{0x2C, 0x54, "Sys Req", "Prnt Scrn"},
        WindowsKeyCase{0x13, 0x45, "", "Pause"}, WindowsKeyCase{0x03, 0x146, "Break", "Break"},
        WindowsKeyCase{0x91, 0x46, "Rollen", "Scroll Lock"},
        WindowsKeyCase{0x14, 0x3A, "Feststell", "Caps Lock"},
        WindowsKeyCase{0x1B, 0x01, "", "Esc"}, WindowsKeyCase{0x08, 0x0E, "Rück", "Backspace"},
        WindowsKeyCase{0x09, 0x0F, "", "Tab"}, WindowsKeyCase{0x20, 0x39, "Leer", "Space"},
        WindowsKeyCase{0x70, 0x3B, "", "F1"}, WindowsKeyCase{0x7B, 0x58, "", "F12"},
        WindowsKeyCase{0x7C, 0x64, "", "F13"}, WindowsKeyCase{0x87, 0x76, "", "F24"},
        WindowsKeyCase{0xAF, 0x130, "", "Volume Up"}, WindowsKeyCase{0xAE, 0x12E, "", "Volume Down"},
        WindowsKeyCase{0xAD, 0x120, "", "Mute"}, WindowsKeyCase{0xB3, 0x122, "", "Play/Pause"},
        WindowsKeyCase{0xB1, 0x110, "", "Pre Track"}, WindowsKeyCase{0xB0, 0x119, "", "Next Track"},
        WindowsKeyCase{0xB2, 0x124, "", "Stop"}, WindowsKeyCase{0xAC, 0x132, "", "Browser-Home"},
        WindowsKeyCase{0xA6, 0x16A, "", "Browser Back"}, WindowsKeyCase{0xA7, 0x169, "", "Browser Forward"},
        WindowsKeyCase{0xAA, 0x165, "", "Search"}, WindowsKeyCase{0xB4, 0x16C, "", "Mail"},
        WindowsKeyCase{0xB7, 0x121, "", "Calculator"}));

// Keys whose name depends on the layout take the system's name, cut to 31 UTF-16 units on a character
// boundary; without one they are named by their virtual key.
INSTANTIATE_TEST_SUITE_P(
    SystemName, WindowsKeyNameTest,
    ::testing::Values(
        WindowsKeyCase{0xBA, 0x27, ";", ";"}, WindowsKeyCase{0xDE, 0x28, "'", "'"},
        WindowsKeyCase{0xC0, 0x29, "`", "`"}, WindowsKeyCase{0xE2, 0x56, "\\", "\\"},
        WindowsKeyCase{0xBA, 0x1A, "\xC3\x9C", "\xC3\x9C"},  // German Ü on VK_OEM_1
        WindowsKeyCase{0xBA, 0x1A, "", "Key 0xBA"},
        WindowsKeyCase{0xA8, 0x167, "", "Key 0xA8"}, WindowsKeyCase{0, 0, "", "Key 0x0"},
        WindowsKeyCase{0x0C, 0x14C, "", "Key 0xC"},
        WindowsKeyCase{0xDC, 0x29, "ZIRKUMFLEX", "ZIRKUMFLEX"},
        WindowsKeyCase{0xFF, 0x73, "0123456789012345678901234567890123", "0123456789012345678901234567890"},
        // 30 units then a two-byte character: it still fits, the next does not.
        WindowsKeyCase{0xFF, 0x73, "012345678901234567890123456789\xC3\x9C\xC3\x9C",
                       "012345678901234567890123456789\xC3\x9C"},
        // A character outside the BMP takes two units and does not fit after 30.
        WindowsKeyCase{0xFF, 0x73, "012345678901234567890123456789\xF0\x9F\x98\x80",
                       "012345678901234567890123456789"}));

// Every name of the key table that a keyboard has and that does not depend on the layout must come
// from some key on its own; the punctuation keys come from the system's name, the non-US hash key only
// from stored text.
TEST(WindowsKeyNames, ReachEveryFixedKeyboardNameOfTheKeyTable) {
  std::set<std::string> produced;
  for (std::uint32_t virtualKey = 0; virtualKey <= 0xFF; ++virtualKey) {
    for (std::uint32_t scanCode = 0; scanCode <= 0x1FF; ++scanCode) {
      produced.insert(KeyNameFromWindowsKey(virtualKey, scanCode, ""));
    }
  }
  for (const KeyNameCode& row : KEY_TABLE) {
    const bool punctuation = (row.code >= 0x2D && row.code <= 0x38);
    if (punctuation || row.code >= kLeftButtonCode) continue;
    EXPECT_TRUE(produced.count(std::string(row.name))) << row.name;
  }
}

}  // namespace
}  // namespace korvane
