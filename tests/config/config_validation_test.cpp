#include "config/config_validation.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "config/button_kind.h"
#include "config/factory_profile.h"
#include "profile/record_validation.h"

namespace korvane {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

struct RangeCase {
  const char* name;
  void (*change)(MouseConfig&);
  const char* problem;  // nullptr when the value is in range
};

// Test lists show a case by its name.
void PrintTo(const RangeCase& c, std::ostream* out) { *out << '"' << c.name << '"'; }

class ValidateConfigTest : public ::testing::TestWithParam<RangeCase> {};

TEST_P(ValidateConfigTest, JudgesOneChangedField) {
  MouseConfig config = FactoryConfig();
  GetParam().change(config);
  std::vector<std::string> described;
  for (const FieldProblem& problem : ValidateConfig(config)) described.push_back(problem.Describe());
  if (GetParam().problem == nullptr) {
    EXPECT_THAT(described, IsEmpty());
  } else {
    EXPECT_THAT(described, ElementsAre(GetParam().problem));
  }
}

INSTANTIATE_TEST_SUITE_P(
    Fields, ValidateConfigTest,
    ::testing::Values(
        RangeCase{"Factory", [](MouseConfig&) {}, nullptr},
        RangeCase{"ReportRate125Hz", [](MouseConfig& c) { c.reportRate = 8; }, nullptr},
        RangeCase{"ReportRateBetweenCodes", [](MouseConfig& c) { c.reportRate = 3; },
                  "reportRate = 3 (allowed: 1, 2, 4, 8)"},
        RangeCase{"ReportRateUnknown", [](MouseConfig& c) { c.reportRate = 95; },
                  "reportRate = 95 (allowed: 1, 2, 4, 8)"},
        RangeCase{"Stage5000Cpi", [](MouseConfig& c) { c.dpiStage[3] = 100; }, nullptr},
        RangeCase{"Stage5050Cpi", [](MouseConfig& c) { c.dpiStage[3] = 101; }, "dpiStage[3] = 101 (allowed: 2-100)"},
        RangeCase{"Stage50Cpi", [](MouseConfig& c) { c.dpiStage[0] = 1; }, "dpiStage[0] = 1 (allowed: 2-100)"},
        RangeCase{"LightModeZeroFromAFile", [](MouseConfig& c) { c.lightMode = 0; }, nullptr},
        RangeCase{"LightModeFour", [](MouseConfig& c) { c.lightMode = 4; }, "lightMode = 4 (allowed: 0-3)"},
        RangeCase{"BrightnessAtTheTracksEnd", [](MouseConfig& c) { c.lightBrightness = 6; }, nullptr},
        RangeCase{"BrightnessSeven", [](MouseConfig& c) { c.lightBrightness = 7; },
                  "lightBrightness = 7 (allowed: 1-6)"},
        RangeCase{"PulseSpeedZero", [](MouseConfig& c) { c.pulseSpeed = 0; }, "pulseSpeed = 0 (allowed: 1-6)"},
        RangeCase{"CycleSpeedNine", [](MouseConfig& c) { c.cycleSpeed = 9; }, "cycleSpeed = 9 (allowed: 1-6)"},
        RangeCase{"PointerSpeedTwelve", [](MouseConfig& c) { c.pointerSpeed = 12; },
                  "pointerSpeed = 12 (allowed: 1-11)"},
        RangeCase{"ScrollLinesZero", [](MouseConfig& c) { c.scrollLines = 0; }, "scrollLines = 0 (allowed: 1-100)"},
        RangeCase{"DoubleClickZero", [](MouseConfig& c) { c.doubleClickSpeed = 0; },
                  "doubleClickSpeed = 0 (allowed: 1-11)"},
        RangeCase{"AngleSnapEleven", [](MouseConfig& c) { c.angleSnap = 11; }, nullptr},
        RangeCase{"AngleSnapTwelve", [](MouseConfig& c) { c.angleSnap = 12; }, "angleSnap = 12 (allowed: 1-11)"},
        RangeCase{"SensitivityXZero", [](MouseConfig& c) { c.sensitivityX = 0; },
                  "sensitivityX = 0 (allowed: 1-11)"},
        RangeCase{"SensitivityY200", [](MouseConfig& c) { c.sensitivityY = 200; },
                  "sensitivityY = 200 (allowed: 1-11)"},
        RangeCase{"ButtonOff", [](MouseConfig& c) { c.buttonKind[7] = 13; }, nullptr},
        RangeCase{"ButtonKindFourteen", [](MouseConfig& c) { c.buttonKind[7] = 14; },
                  "buttonKind[7] = 14 (allowed: 0-13)"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(ValidateConfig, BytesWithoutARangeAreNotJudged) {
  MouseConfig config = FactoryConfig();
  config.profileSlot = 0xFF;
  config.reserved001.fill(0xFF);
  config.reserved006 = 0xFF;
  config.reserved00B.fill(0xFF);
  config.stageColor.fill(0xFF);
  config.reserved023.fill(0xFF);
  config.pointerPrecision = 0xFF;
  config.scrollOneScreen = 0xFF;
  config.reserved039 = 0xFF;
  // The factory's buttons read the scroll and CPI choices only.
  for (int k = 1; k <= int(kButtonArgArrays); ++k) {
    if (k != kScrollSelectArg && k != kCpiCycleArg) config.buttonArg[k - 1].fill(0xFF);
  }
  for (auto& page : config.macroData) page.fill(0xFF);
  EXPECT_THAT(ValidateConfig(config), IsEmpty());

  // A kind the program does not know reads nothing.
  config.buttonKind[2] = 14;
  config.Arg(kScrollSelectArg, 2) = 0xFF;
  EXPECT_EQ(DescribeProblems(ValidateConfig(config)), "buttonKind[2] = 14 (allowed: 0-13)");
}

TEST(ValidateConfig, ReportsEveryEntryInImageOrder) {
  MouseConfigImage image;
  image.fill(0xFF);
  const std::vector<FieldProblem> problems = ValidateConfig(MouseConfig::FromBytes(image));
  ASSERT_EQ(problems.size(), 1u + 4 + 10 + 8);
  for (std::size_t i = 1; i < problems.size(); ++i) EXPECT_LT(problems[i - 1].offset(), problems[i].offset());
  EXPECT_EQ(problems.front().offset(), kReportRateOffset);
  EXPECT_EQ(problems.back().offset(), kButtonKindOffset + 7);
  EXPECT_EQ(DescribeProblems(std::span(problems).first(2)),
            "reportRate = 255 (allowed: 1, 2, 4, 8), dpiStage[0] = 255 (allowed: 2-100)");

  // The parameter arrays lie one after the other, each holding all eight buttons.
  MouseConfig config = FactoryConfig();
  config.reportRate = 0;
  config.buttonKind[0] = static_cast<Byte>(ButtonKind::MacroKey);
  config.Arg(kMacroNumberArg, 0) = 12;
  config.Arg(kScrollSelectArg, 4) = 0;
  EXPECT_EQ(DescribeProblems(ValidateConfig(config)),
            "reportRate = 0 (allowed: 1, 2, 4, 8), button 5 scroll choice = 0 (allowed: 1-3), "
            "button 1 macro number = 12 (allowed: 0-11)");
}

TEST(ValidateConfig, ButtonKindsAreTheFourteenFunctions) {
  const auto kinds = std::ranges::find(FIELD_RANGES, std::string_view("buttonKind"), &FieldRange::name);
  ASSERT_NE(kinds, FIELD_RANGES.end());
  EXPECT_EQ(kinds->high, kButtonKindCount - 1);
}

TEST(ValidateConfig, AllowedTextJoinsRunsOfThree) {
  const auto text = [](std::initializer_list<int> values) {
    ByteValues set;
    for (const int value : values) set.set(value);
    return AllowedText(set);
  };
  EXPECT_EQ(text({}), "");
  EXPECT_EQ(text({0, 1, 2, 4, 8}), "0-2, 4, 8");
  EXPECT_EQ(text({5, 6, 9, 10, 11, 200}), "5, 6, 9-11, 200");
  EXPECT_EQ(text({254, 255}), "254, 255");
  EXPECT_EQ(AllowedText(ByteValues().set()), "0-255");
}

}  // namespace
}  // namespace korvane
