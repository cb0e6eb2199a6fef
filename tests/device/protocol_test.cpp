#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "device/protocol.h"
#include "device/recording_transport.h"

namespace korvane {
namespace {

using testing::RecordingTransport;
using testing::SetFeatureOp;
using testing::SleepOp;
using testing::WriteOp;
using ::testing::ElementsAre;
using ::testing::ElementsAreArray;

class ProtocolTest : public ::testing::Test {
 protected:
  RecordingTransport transport;
  DeviceMirror mirror;
  FeatureProtocol protocol{transport, mirror};

  std::vector<TransportOp::Kind> Kinds() const {
    std::vector<TransportOp::Kind> kinds;
    for (const TransportOp& op : transport.ops) kinds.push_back(op.kind);
    return kinds;
  }
};

struct FrameCase {
  const char* name;
  Command command;
  FeatureReport frame;
};

TEST(FeatureReportTest, WorkedFrames) {
  const FrameCase cases[] = {
      {"read profile", MakeCommand(CMD_READ_PROFILE), {0x00, 0x82, 0, 0, 0, 0, 0, 0, 0x7D}},
      {"attach", MakeCommand(CMD_ATTACH, 0xFC), {0x00, 0x01, 0xFC, 0, 0, 0, 0, 0, 0x02}},
      {"write settings", MakeCommand(CMD_WRITE_SETTINGS, 0, 0x80), {0x00, 0x0C, 0x00, 0x80, 0, 0, 0, 0, 0x73}},
      {"read settings", MakeCommand(CMD_READ_SETTINGS), {0x00, 0x8C, 0, 0, 0, 0, 0, 0, 0x73}},
      {"write macro 12", MakeCommand(CMD_WRITE_MACRO, 12, 0x80), {0x00, 0x0F, 0x0C, 0x80, 0, 0, 0, 0, 0x64}},
  };
  for (const FrameCase& c : cases) EXPECT_EQ(BuildFeatureReport(c.command), c.frame) << c.name;
}

TEST(FeatureReportTest, TheCallersChecksumSlotNeverReachesTheMouse) {
  Command command = MakeCommand(CMD_ATTACH, 0xFC);
  command[7] = 0xAA;
  EXPECT_EQ(BuildFeatureReport(command)[8], 0x02);
  // Parameters that sum past 0xFF wrap.
  const Command wide = {0x0F, 0xFF, 0xFF, 0x01, 0, 0, 0, 0};
  EXPECT_EQ(BuildFeatureReport(wide)[8], Byte(0xFF - (0x0F + 0xFF + 0xFF + 0x01)));
}

TEST_F(ProtocolTest, OnlyCodesWithTheTopBitAreReadBack) {
  for (Byte code : {CMD_ATTACH, CMD_UPLOAD_BEGIN, CMD_SET_REPORT_RATE, CMD_WRITE_SETTINGS, CMD_WRITE_KEYS,
                    CMD_WRITE_MACRO, CMD_READ_PROFILE, CMD_READ_SETTINGS}) {
    transport.ops.clear();
    transport.Answer(MakeCommand(code));
    Command command = MakeCommand(code);
    protocol.SendCommand(command);
    const bool readBack = code == CMD_READ_PROFILE || code == CMD_READ_SETTINGS;
    EXPECT_EQ(transport.ops.size(), readBack ? 2u : 1u) << int(code);
    transport.answers.clear();
  }
}

TEST_F(ProtocolTest, ReadBackReplacesTheCommandWithTheAnswerUnchecked) {
  transport.answers.push_back({0x00, 0x82, 0x03, 0x11, 0x22, 0x33, 0x44, 0x55, 0x99});  // bad checksum
  Command command = MakeCommand(CMD_READ_PROFILE);
  EXPECT_TRUE(protocol.SendCommand(command).ok());
  EXPECT_THAT(command, ElementsAre(0x82, 0x03, 0x11, 0x22, 0x33, 0x44, 0x55, 0x99));
  // The request buffer is zeroed before the read: report ID 0.
  EXPECT_EQ(transport.ops[1].kind, TransportOp::Kind::GetFeature);
}

TEST_F(ProtocolTest, AFailedReadBackYieldsProfileZero) {
  mirror.activeProfile = 4;
  EXPECT_FALSE(protocol.ReadActiveProfile().ok());
  EXPECT_EQ(mirror.activeProfile, 0);
}

TEST_F(ProtocolTest, WriteSettingsSendsTwoChunksWithTheirDelays) {
  for (std::size_t i = 0; i < kPageSize; ++i) mirror.settingsPage[i] = static_cast<Byte>(i + 1);
  EXPECT_TRUE(protocol.TransferSettingsPage(true).ok());

  std::vector<Byte> first(65, 0), second(65, 0);
  for (std::size_t i = 0; i < 64; ++i) {
    first[1 + i] = static_cast<Byte>(i + 1);
    second[1 + i] = static_cast<Byte>(i + 65);
  }
  EXPECT_THAT(transport.ops, ElementsAre(SetFeatureOp({0x00, 0x0C, 0x00, 0x80, 0, 0, 0, 0, 0x73}), WriteOp(first),
                                         SleepOp(20), WriteOp(second), SleepOp(20), SleepOp(10)));
}

TEST_F(ProtocolTest, KeyAndMacroPagesCarryProfileAndSlot) {
  mirror.activeProfile = 2;
  mirror.keyPage.fill(0x11);
  protocol.WriteKeyPage();
  ASSERT_EQ(transport.ops.size(), 6u);
  EXPECT_EQ(transport.ops[0], SetFeatureOp({0x00, 0x0D, 0x02, 0x80, 0, 0, 0, 0, 0x70}));
  EXPECT_EQ(transport.ops[5], SleepOp(2));

  transport.ops.clear();
  mirror.macroPages[11].fill(0x22);
  protocol.WriteMacroPage(12);
  ASSERT_EQ(transport.ops.size(), 6u);
  EXPECT_EQ(transport.ops[0], SetFeatureOp({0x00, 0x0F, 0x0C, 0x80, 0, 0, 0, 0, 0x64}));
  std::vector<Byte> chunk(65, 0x22);
  chunk[0] = 0;
  EXPECT_EQ(transport.ops[1], WriteOp(chunk));
  EXPECT_EQ(transport.ops[5], SleepOp(20));
}

std::vector<Byte> InputReport(Byte fill) {
  std::vector<Byte> report(65, fill);
  report[0] = 0xEE;  // byte 0 of an input report is not data
  return report;
}

struct ReadSettingsCase {
  const char* name;
  Byte announced;
  std::size_t inputsGiven;
  std::size_t readsExpected;
  std::size_t bytesCopied;  // of 0xAB from the first chunk, 0xCD from the second
  bool ok;
};

TEST_F(ProtocolTest, ReadSettingsCopiesWhatTheAnswerAnnounces) {
  const ReadSettingsCase cases[] = {
      {"nothing announced", 0, 2, 0, 0, true},
      {"100 bytes", 100, 2, 2, 100, true},
      {"one chunk", 64, 2, 1, 64, true},
      {"more than a page is cut to 128", 200, 3, 2, 128, true},
      {"second chunk times out: zeros", 128, 1, 2, 128, false},
  };
  for (const ReadSettingsCase& c : cases) {
    transport.ops.clear();
    transport.inputs.clear();
    mirror.settingsPage.fill(0x55);
    transport.Answer(MakeCommand(CMD_READ_SETTINGS, 0, c.announced));
    transport.inputs = {InputReport(0xAB), InputReport(0xCD), InputReport(0xEF)};
    transport.inputs.resize(c.inputsGiven);

    EXPECT_EQ(protocol.TransferSettingsPage(false).ok(), c.ok) << c.name;

    std::size_t reads = 0;
    for (const TransportOp& op : transport.ops) reads += op.kind == TransportOp::Kind::Read;
    EXPECT_EQ(reads, c.readsExpected) << c.name;
    EXPECT_EQ(transport.ops.back(), SleepOp(10)) << c.name;
    DevicePage expected;
    expected.fill(0x55);
    for (std::size_t i = 0; i < c.bytesCopied; ++i) {
      const bool fromSecond = i >= 64;
      expected[i] = fromSecond ? (c.inputsGiven > 1 ? 0xCD : 0x00) : 0xAB;
    }
    EXPECT_THAT(mirror.settingsPage, ElementsAreArray(expected)) << c.name;
  }
}

TEST_F(ProtocolTest, FailedSettingsReadBackReadsNothing) {
  mirror.settingsPage.fill(0x55);
  EXPECT_FALSE(protocol.TransferSettingsPage(false).ok());
  EXPECT_THAT(Kinds(), ElementsAre(TransportOp::Kind::SetFeature, TransportOp::Kind::GetFeature,
                                   TransportOp::Kind::Sleep));
  EXPECT_EQ(mirror.settingsPage[0], 0x55);
}

TEST(TracingTransportTest, ReportsEveryOperationWithItsOutcome) {
  RecordingTransport inner;
  inner.Answer(MakeCommand(CMD_READ_PROFILE, 1));
  std::vector<std::string> lines;
  TracingTransport tracing(inner, [&](const TransportOp& op) { lines.push_back(FormatTransportOp(op)); });
  DeviceMirror mirror;
  FeatureProtocol protocol(tracing, mirror);
  protocol.ReadActiveProfile();
  tracing.Sleep(std::chrono::milliseconds(20));
  FeatureReport report{};
  tracing.GetFeature(report);  // no answer left
  EXPECT_THAT(lines, ElementsAre("set-feature 00 82 00 00 00 00 00 00 7d", "get-feature 00 82 01 00 00 00 00 00 7c",
                                 "sleep 20", "get-feature 00 00 00 00 00 00 00 00 00 (failed: no answer)"));
  EXPECT_EQ(inner.ops.size(), 4u);
}

}  // namespace
}  // namespace korvane
