#include "config/value_rules.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <utility>

#include "config/config_validation.h"

namespace korvane {
namespace {

TEST(ValueRules, StagesRunFrom100To5000CpiInUnitsOf50) {
  EXPECT_EQ(StageCpiRange().low, 100);
  EXPECT_EQ(StageCpiRange().high, 5000);
  EXPECT_EQ(StageCpi(StageLevel(1650)), 1650);
  EXPECT_EQ(StageLevel(StageCpiRange().high), 100);
  EXPECT_EQ(StageCpi(255), 12750);  // a hand-edited byte is shown, not cut
}

TEST(ValueRules, StageColoursAreStoredRedBlueGreen) {
  MouseConfig config;
  StoreStageColour(config, 1, {0x11, 0x22, 0x33});
  EXPECT_THAT(config.stageColor, ::testing::ElementsAre(0, 0, 0, 0x11, 0x33, 0x22, 0, 0, 0, 0, 0, 0));
  const StageColour back = StageColourOf(config, 1);
  EXPECT_EQ(std::vector<int>({back.red, back.green, back.blue}), (std::vector<int>{0x11, 0x22, 0x33}));
}

TEST(ValueRules, ReportRateCodesAreIntervalsInMilliseconds) {
  for (const ReportRate& rate : REPORT_RATES) {
    EXPECT_EQ(rate.code * rate.hz, 1000);
    EXPECT_EQ(ReportRateCode(ReportRateHz(rate.code)), rate.code);
  }
  EXPECT_EQ(ReportRateHz(0), 0);
  EXPECT_EQ(ReportRateHz(3), 0);
  EXPECT_EQ(ReportRateCode(300), 0);
  // The codes are the values validation allows.
  ByteValues codes;
  for (const Byte code : REPORT_RATE_CODES) codes.set(code);
  EXPECT_EQ(FieldRangeAt(kReportRateOffset).Values(), codes);
}

// As the Windows program forms the name: by text, folders and the middle of a name included.
TEST(ValueRules, ACompanionLabelFileReplacesEveryBin) {
  const std::pair<std::string_view, std::string_view> kPairs[] = {{"/home/u/fast.bin", "/home/u/fast.ini"},
                                                                   {"/tmp/a.bin/p.bin", "/tmp/a.ini/p.ini"},
                                                                   {"x.binary.bin", "x.iniary.ini"},
                                                                   {"no-extension", "no-extension"}};
  for (const auto& [config, labels] : kPairs) EXPECT_EQ(CompanionLabelPath(config), labels);
}

// Export's refusals test the names of the program's files; these are the edges.
TEST(ValueRules, ProgramFileNamesStopAtTheSixthProfile) {
  EXPECT_EQ(ProfileConfigName(5), "config5.bin");
  EXPECT_EQ(ProfileLabelName(0), "str0.ini");
  EXPECT_TRUE(IsProgramFileName("str5.ini"));
  for (const std::string_view name : {"config6.bin", "str6.ini", "config.ini", "CONFIG0.BIN"}) {
    EXPECT_FALSE(IsProgramFileName(name)) << name;
  }
}

}  // namespace
}  // namespace korvane
