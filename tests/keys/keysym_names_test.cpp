#include "keys/keysym_names.h"

#include <gtest/gtest.h>

#include <set>

#include "keys/key_tables.h"
#include "keys/name_text.h"

namespace korvane {
namespace {

struct KeysymCase {
  std::uint32_t keysym;
  const char* name;
};

// Test lists show a case by the name it expects.
void PrintTo(const KeysymCase& c, std::ostream* out) { *out << '"' << c.name << '"'; }

class KeysymNameTest : public ::testing::TestWithParam<KeysymCase> {};

TEST_P(KeysymNameTest, NamesTheKey) { EXPECT_EQ(KeyNameFromKeysym(GetParam().keysym), GetParam().name); }

INSTANTIATE_TEST_SUITE_P(
    UsLayout, KeysymNameTest,
    ::testing::Values(
        KeysymCase{'a', "A"}, KeysymCase{'A', "A"}, KeysymCase{'z', "Z"}, KeysymCase{'7', "7"},
        KeysymCase{'!', "1"}, KeysymCase{')', "0"}, KeysymCase{'_', "-"}, KeysymCase{'+', "="},
        KeysymCase{'{', "["}, KeysymCase{'|', "\\"}, KeysymCase{':', ";"}, KeysymCase{'"', "'"},
        KeysymCase{'~', "`"}, KeysymCase{'<', ","}, KeysymCase{'?', "/"}, KeysymCase{' ', "Space"},
        KeysymCase{0xFF0D, "Enter"}, KeysymCase{0xFF1B, "Esc"}, KeysymCase{0xFF08, "Backspace"},
        KeysymCase{0xFE20, "Tab"}, KeysymCase{0xFFE5, "Caps Lock"}, KeysymCase{0xFFBE, "F1"},
        KeysymCase{0xFFC9, "F12"}, KeysymCase{0xFFCA, "F13"}, KeysymCase{0xFF61, "Prnt Scrn"},
        KeysymCase{0xFF13, "Pause"}, KeysymCase{0xFF55, "Page Up"}, KeysymCase{0xFFFF, "Delete"},
        KeysymCase{0xFF7F, "Num Lock"}, KeysymCase{0xFF8D, "Num Enter"}, KeysymCase{0xFFB1, "Num 1"},
        KeysymCase{0xFF9C, "Num 1"}, KeysymCase{0xFF9E, "Num 0"}, KeysymCase{0xFFAE, "Num Del"},
        KeysymCase{0xFF9F, "Num Del"}, KeysymCase{0xFF67, "Application"}, KeysymCase{0xFFE3, "Ctrl"},
        KeysymCase{0xFFE4, "Right Ctrl"}, KeysymCase{0xFFE1, "Shift"}, KeysymCase{0xFFE2, "Right Shift"},
        KeysymCase{0xFFE9, "Alt"}, KeysymCase{0xFE03, "Right Alt"}, KeysymCase{0xFFEB, "Left Windows"},
        KeysymCase{0xFFEC, "Right Windows"}, KeysymCase{0x1008FF13, "Volume Up"},
        KeysymCase{0xE9, "\xC3\x89"},            // e acute: its capital
        KeysymCase{0x010003B1, "\xCE\xB1"},      // Greek alpha, a Unicode keysym
        KeysymCase{0x1008FFFE, "Key 0x1008FFFE"}, KeysymCase{0, "Key 0x0"}));

// Every name of the key table that a keyboard has must be reachable from some keysym; only the
// non-US hash key (stored text only) and the mouse buttons are not.
TEST(KeysymNames, ReachEveryKeyboardNameOfTheKeyTable) {
  std::set<std::string> produced;
  for (std::uint32_t keysym = 0x20; keysym <= 0xFFFF; ++keysym) produced.insert(KeyNameFromKeysym(keysym));
  for (const KeyNameCode& row : KEY_TABLE) {
    if (row.code == 0x32 || row.code >= kLeftButtonCode) continue;
    EXPECT_TRUE(produced.count(std::string(row.name))) << row.name;
  }
}

TEST(KeysymNames, NamesAreAtMost31Units) {
  for (std::uint32_t keysym = 0; keysym <= 0x2FFFF; keysym += 7) {
    EXPECT_LE(NameLength(KeyNameFromKeysym(keysym)), kMaxNameLength);
  }
}

}  // namespace
}  // namespace korvane
