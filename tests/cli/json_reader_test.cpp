// The strict JSON reader behind `korvanectl import FILE.json`: what it accepts, and that hostile text is
// refused with the place of the fault instead of crashing or being read loosely.
#include "cli/json_reader.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace korvane::cli {
namespace {

using ::testing::HasSubstr;

TEST(JsonReaderTest, ReadsTheValuesWithTheirTypesAndOrder) {
  JsonValue value;
  ASSERT_TRUE(ParseJson("\xEF\xBB\xBF { \"b\": [1, -20, 0.5e3, true, false, null],\n \"a\": \"x\\ty\" } ", value));
  ASSERT_EQ(value.type, JsonValue::Type::Object);
  ASSERT_EQ(value.members.size(), 2u);
  EXPECT_EQ(value.members[0].key, "b");  // file order, not sorted
  const JsonValue& items = *value.Member("b");
  ASSERT_EQ(items.items.size(), 6u);
  EXPECT_EQ(items.items[0].Integer(), 1);
  EXPECT_EQ(items.items[1].Integer(), -20);
  EXPECT_EQ(items.items[2].text, "0.5e3");
  EXPECT_EQ(items.items[2].Integer(), std::nullopt);  // a number, but not written as a whole one
  EXPECT_TRUE(items.items[3].boolean);
  EXPECT_EQ(items.items[4].type, JsonValue::Type::Boolean);
  EXPECT_EQ(items.items[5].type, JsonValue::Type::Null);
  EXPECT_EQ(value.Member("a")->text, "x\ty");
  EXPECT_EQ(value.Member("c"), nullptr);
}

TEST(JsonReaderTest, EscapesGiveUtf8IncludingSurrogatePairs) {
  JsonValue value;
  ASSERT_TRUE(ParseJson(R"(["\u00e9\u4e2d\ud83d\ude00\"\\\/\b\f\n\r", "é中😀"])", value));
  EXPECT_EQ(value.items[0].text, "\xC3\xA9\xE4\xB8\xAD\xF0\x9F\x98\x80\"\\/\b\f\n\r");
  EXPECT_EQ(value.items[1].text, "\xC3\xA9\xE4\xB8\xAD\xF0\x9F\x98\x80");
}

TEST(JsonReaderTest, NestingUpToTheLimitIsRead) {
  const std::string deepest = std::string(kMaxJsonDepth, '[') + std::string(kMaxJsonDepth, ']');
  JsonValue value;
  EXPECT_TRUE(ParseJson(deepest, value));
}

struct Refusal {
  const char* name;
  std::string text;
  const char* error;
};

void PrintTo(const Refusal& refusal, std::ostream* out) { *out << refusal.name; }

class JsonReaderRefusalTest : public ::testing::TestWithParam<Refusal> {};

TEST_P(JsonReaderRefusalTest, SaysWhereAndLeavesTheValueAlone) {
  JsonValue value;
  value.text = "untouched";
  const Status status = ParseJson(GetParam().text, value);
  ASSERT_FALSE(status);
  EXPECT_THAT(status.message(), HasSubstr(GetParam().error));
  EXPECT_EQ(value.text, "untouched");
}

INSTANTIATE_TEST_SUITE_P(
    Refusals, JsonReaderRefusalTest,
    ::testing::Values(
        Refusal{"Empty", "", "line 1, column 1: the document ends where a value should be"},
        Refusal{"TrailingComma", "{\"a\": 1,\n}", "line 2, column 1: expected a key in double quotes"},
        Refusal{"TrailingText", "{} {}", "line 1, column 4: unexpected text after the end"},
        Refusal{"Comment", "[1] // note", "unexpected text after the end"},
        Refusal{"DuplicateKey", R"({"a": 1, "a": 2})", "the key \"a\" appears twice"},
        Refusal{"SingleQuotes", "['a']", "unexpected character"},
        Refusal{"LeadingZero", "[01]", "a number may not start with 0"},
        Refusal{"BareDot", "[1.]", "expected a digit after '.'"},
        Refusal{"PlusSign", "[+1]", "unexpected character"},
        Refusal{"Capitalised", "[True]", "unexpected character"},
        Refusal{"RawLineBreak", "[\"a\nb\"]", "a control character inside a string"},
        Refusal{"UnknownEscape", R"(["\x41"])", "unknown escape"},
        Refusal{"ShortUnicodeEscape", R"(["\u12"])", "expected four hex digits"},
        Refusal{"LoneHighSurrogate", R"(["\ud83d"])", "a high surrogate without a low one"},
        Refusal{"HighThenNotLow", R"(["\ud83d\u0041"])", "a high surrogate without a low one"},
        Refusal{"LoneLowSurrogate", R"(["\ude00"])", "a low surrogate without a high one"},
        Refusal{"StrayByte", "[\"\xFF\"]", "bytes that are not UTF-8"},
        Refusal{"OverlongSlash", "[\"\xC0\xAF\"]", "bytes that are not UTF-8"},
        Refusal{"EncodedSurrogate", "[\"\xED\xA0\x80\"]", "bytes that are not UTF-8"},
        Refusal{"CutInsideString", "[\"abc", "the document ends inside a string"},
        Refusal{"CutAfterBackslash", "[\"abc\\", "the document ends inside a string"},
        Refusal{"CutInsideArray", "[1, 2", "the document ends inside a container"},
        Refusal{"OneLevelTooDeep", std::string(kMaxJsonDepth + 1, '[') + std::string(kMaxJsonDepth + 1, ']'),
                "nested deeper than 32 levels"},
        Refusal{"HostileDepth", std::string(1'000'000, '['), "nested deeper than 32 levels"},
        Refusal{"ColumnsCountCharacters", "[\"é\", x]", "line 1, column 7"}),
    [](const ::testing::TestParamInfo<Refusal>& info) { return info.param.name; });

}  // namespace
}  // namespace korvane::cli
