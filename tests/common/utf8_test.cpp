#include "common/utf8.h"

#include <gtest/gtest.h>

namespace korvane {
namespace {

struct DecodeCase {
  const char* name;
  std::string_view bytes;
  char32_t codePoint;
  std::size_t length;
  bool valid;
};

void PrintTo(const DecodeCase& c, std::ostream* out) { *out << c.name; }

class DecodeUtf8Test : public ::testing::TestWithParam<DecodeCase> {};

TEST_P(DecodeUtf8Test, ReadsTheFirstCharacter) {
  const DecodeCase& c = GetParam();
  const Utf8Character character = DecodeUtf8(c.bytes);
  EXPECT_EQ(character.codePoint, c.codePoint);
  EXPECT_EQ(character.length, c.length);
  EXPECT_EQ(character.valid, c.valid);
}

// The bounds of each sequence length, and what is not UTF-8: a bad sequence is one U+FFFD as long as the
// part of it that could still have begun a character.
INSTANTIATE_TEST_SUITE_P(
    Bytes, DecodeUtf8Test,
    ::testing::Values(DecodeCase{"Nul", std::string_view("\0x", 2), 0, 1, true},
                      DecodeCase{"LastAscii", "\x7F", 0x7F, 1, true},
                      DecodeCase{"FirstTwoByte", "\xC2\x80", 0x80, 2, true},
                      DecodeCase{"LastTwoByte", "\xDF\xBF", 0x7FF, 2, true},
                      DecodeCase{"FirstThreeByte", "\xE0\xA0\x80", 0x800, 3, true},
                      DecodeCase{"LastBeforeSurrogates", "\xED\x9F\xBF", 0xD7FF, 3, true},
                      DecodeCase{"LastThreeByte", "\xEF\xBF\xBF", 0xFFFF, 3, true},
                      DecodeCase{"FirstFourByte", "\xF0\x90\x80\x80", 0x10000, 4, true},
                      DecodeCase{"LastCodePoint", "\xF4\x8F\xBF\xBF", 0x10FFFF, 4, true},
                      DecodeCase{"StrayContinuation", "\x80x", 0xFFFD, 1, false},
                      DecodeCase{"OverlongTwoByte", "\xC0\xAF", 0xFFFD, 1, false},
                      DecodeCase{"OverlongThreeByte", "\xE0\x9F\xBF", 0xFFFD, 1, false},
                      DecodeCase{"OverlongFourByte", "\xF0\x8F\xBF\xBF", 0xFFFD, 1, false},
                      DecodeCase{"Surrogate", "\xED\xA0\x80", 0xFFFD, 1, false},
                      DecodeCase{"BeyondLastCodePoint", "\xF4\x90\x80\x80", 0xFFFD, 1, false},
                      DecodeCase{"NoLeadAboveF4", "\xF5\x80\x80\x80", 0xFFFD, 1, false},
                      DecodeCase{"CutAtTheEnd", "\xE5\xAE", 0xFFFD, 2, false},
                      DecodeCase{"CutByAnotherCharacter", "\xF0\x9F\x98x", 0xFFFD, 3, false}),
    [](const ::testing::TestParamInfo<DecodeCase>& info) { return info.param.name; });

TEST(Utf8, EncodingRoundTripsAtEveryLengthBound) {
  for (const char32_t cp : {0x0u, 0x7Fu, 0x80u, 0x7FFu, 0x800u, 0xD7FFu, 0xE000u, 0xFFFFu, 0x10000u, 0x10FFFFu}) {
    std::string text;
    AppendUtf8(text, cp);
    const Utf8Character back = DecodeUtf8(text);
    EXPECT_TRUE(back.valid) << std::hex << static_cast<unsigned>(cp);
    EXPECT_EQ(back.codePoint, cp);
    EXPECT_EQ(back.length, text.size());
  }
}

TEST(Utf8, MeasuresInCharactersOrUtf16Units) {
  const std::string emoji = "\xF0\x9F\x98\x80";
  EXPECT_EQ(Utf8Length(std::string(30, 'x') + emoji, Utf8Measure::kUtf16Units), 32u);
  EXPECT_EQ(Utf8Length(std::string(30, 'x') + emoji, Utf8Measure::kCharacters), 31u);
  EXPECT_EQ(Utf8Length("\xE5\xAE\x8F_1", Utf8Measure::kUtf16Units), 3u);  // a CJK character counts one
  // Each byte outside a well-formed sequence counts one.
  EXPECT_EQ(Utf8Length("a\x80\xE5\xAE", Utf8Measure::kCharacters), 4u);
  EXPECT_EQ(Utf8Length("\xC0\xAF", Utf8Measure::kUtf16Units), 2u);
}

TEST(Utf8, CutsWholeCharacters) {
  const std::string emoji = "\xF0\x9F\x98\x80";
  // Thirty letters and a character outside the BMP make 32 units: a cut at 31 leaves it out whole.
  EXPECT_EQ(CutUtf8(std::string(30, 'x') + emoji, 31, Utf8Measure::kUtf16Units), std::string(30, 'x'));
  EXPECT_EQ(CutUtf8(std::string(30, 'x') + emoji, 31, Utf8Measure::kCharacters), std::string(30, 'x') + emoji);
  EXPECT_EQ(CutUtf8(std::string(40, 'x'), 31, Utf8Measure::kUtf16Units), std::string(31, 'x'));
  // At every limit the cut is a prefix of whole characters that measures no more than the limit.
  const std::string mixed = "a\xC3\xA9\xE5\xAE\x8F" + emoji + "\x80" "b";
  for (std::size_t limit = 0; limit <= 8; ++limit) {
    for (const Utf8Measure measure : {Utf8Measure::kCharacters, Utf8Measure::kUtf16Units}) {
      const std::string_view cut = CutUtf8(mixed, limit, measure);
      EXPECT_LE(Utf8Length(cut, measure), limit);
      EXPECT_EQ(Utf8Length(cut, measure) + Utf8Length(std::string_view(mixed).substr(cut.size()), measure),
                Utf8Length(mixed, measure))
          << "cut in the middle of a character at limit " << limit;
    }
  }
}

}  // namespace
}  // namespace korvane
