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

TEST(KeyTables, NamesAndCodesRoundTrip) {
  for (const KeyNameCode& row : KEY_TABLE) {
    EXPECT_EQ(UsageToKeyName(row.code), row.name);
    EXPECT_EQ(KeyNameToUsage(row.name), row.code) << row.name;
  }
  EXPECT_EQ(UsageToKeyName(0x64), "");
  EXPECT_EQ(UsageToKeyName(kNoKeyCode), "");
}

// The boot keyboard's modifier byte: bit b is the key with usage 0xE0 + b. Each modifier name and the
// key table's name of that usage must be one key, as the combo-key dialog and the macro events meet.
TEST(KeyTables, EachModifierBitIsTheKeyOfItsUsage) {
  const std::pair<std::string_view, std::string_view> keys[] = {
      {"Left Ctrl", "Ctrl"},        {"Left Shift", "Shift"},        {"Left Alt", "Alt"},
      {"Left Win", "Left Windows"}, {"Right Ctrl", "Right Ctrl"},   {"Right Shift", "Right Shift"},
      {"Right Alt", "Right Alt"},   {"Right Win", "Right Windows"}};
  for (unsigned bit = 0; bit < 8; ++bit) {
    EXPECT_EQ(ModifierNameToBit(keys[bit].first), 1u << bit) << keys[bit].first;
    EXPECT_EQ(UsageToKeyName(Byte(0xE0 + bit)), keys[bit].second) << bit;
    EXPECT_EQ(KeyNameToUsage(keys[bit].second), kFirstModifierKeyCode + bit) << bit;
  }
}

}  // namespace
}  // namespace korvane
