#include "keys/key_tables.h"

#include <gtest/gtest.h>

#include <set>

namespace korvane {
namespace {

struct LookupCase {
  const char* name;
  Byte key;
  Byte macroKey;
  Byte modifier;
};

// Test lists show a case by its name.
void PrintTo(const LookupCase& c, std::ostream* out) { *out << '"' << c.name << '"'; }

class KeyTablesTest : public ::testing::TestWithParam<LookupCase> {};

TEST_P(KeyTablesTest, LooksUpAllThreeTables) {
  const LookupCase& c = GetParam();
  EXPECT_EQ(KeyNameToUsage(c.name), c.key);
  EXPECT_EQ(MacroKeyNameToUsage(c.name), c.macroKey);
  EXPECT_EQ(ModifierNameToBit(c.name), c.modifier);
}

INSTANTIATE_TEST_SUITE_P(
    Names, KeyTablesTest,
    ::testing::Values(LookupCase{"", 0, 0, 0}, LookupCase{"a", 0, 0, 0}, LookupCase{"A", 0x04, 0x04, 0},
                      LookupCase{"Z", 0x1D, 0x1D, 0}, LookupCase{"1", 0x1E, 0x1E, 0},
                      LookupCase{"0", 0x27, 0x27, 0}, LookupCase{"\\", 0x31, 0x31, 0},
                      LookupCase{"`", 0x35, 0x35, 0}, LookupCase{"Left Win", 0, 0, 0x08},
                      LookupCase{"Left Windows", 0xE3, 0xE3, 0}, LookupCase{"Right Ctrl", 0xE4, 0xE4, 0x10},
                      LookupCase{"Right Shift", 0xE5, 0xE5, 0x20}, LookupCase{"Right Alt", 0xE6, 0xE6, 0x40},
                      LookupCase{"Right Win", 0, 0, 0x80}, LookupCase{"Ctrl", 0xE0, 0xE0, 0},
                      LookupCase{"Left Ctrl", 0, 0, 0x01}, LookupCase{"Application", 0x65, 0, 0},
                      LookupCase{"Num Del", 0x63, 0x63, 0}, LookupCase{"Num 0", 0x62, 0x62, 0},
                      LookupCase{"Prnt Scrn", 0x46, 0x46, 0}, LookupCase{"Eurpo(Note 2)", 0x32, 0x32, 0},
                      LookupCase{"F12", 0x45, 0x45, 0}, LookupCase{"Up", 0x52, 0x52, 0},
                      LookupCase{"L-Button", 0xF0, 0xF0, 0}, LookupCase{"R-Button", 0xF1, 0xF1, 0},
                      LookupCase{"M-Button", 0xF2, 0xF2, 0}, LookupCase{"Strg", 0, 0, 0},
                      LookupCase{"A ", 0, 0, 0}));

TEST(KeyTables, CodesRunUpWithinRowsAndSkip0x64) {
  std::set<Byte> codes;
  std::set<std::string_view> names;
  for (const KeyNameCode& row : KEY_TABLE) {
    codes.insert(row.code);
    names.insert(row.name);
  }
  EXPECT_EQ(names.size(), 108u);
  EXPECT_EQ(codes.size(), 108u);
  for (Byte code = 0x04; code <= 0x65; ++code)
    EXPECT_EQ(codes.count(code), code == 0x64 ? 0u : 1u) << int(code);
  for (Byte code = 0xE0; code <= 0xE7; ++code) EXPECT_EQ(codes.count(code), 1u) << int(code);
}

TEST(KeyTables, EveryCodeHasItsNameBack) {
  for (const KeyNameCode& row : KEY_TABLE) EXPECT_EQ(UsageToKeyName(row.code), row.name);
  EXPECT_EQ(UsageToKeyName(0x64), "");
  EXPECT_EQ(UsageToKeyName(kNoKeyCode), "");
}

TEST(KeyTables, EachModifierBitIsAModifierKey) {
  EXPECT_EQ(UsageToKeyName(kFirstModifierKeyCode), "Ctrl");
  EXPECT_EQ(UsageToKeyName(kFirstModifierKeyCode + 7), "Right Windows");
}

TEST(KeyTables, ModifierNamesAreInBitOrder) {
  for (std::size_t bit = 0; bit < MODIFIER_NAMES.size(); ++bit) {
    EXPECT_EQ(ModifierNameToBit(MODIFIER_NAMES[bit]), 1u << bit);
  }
}

}  // namespace
}  // namespace korvane
