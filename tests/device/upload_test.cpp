#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <numeric>

#include "common/file_io.h"
#include "config/factory_profile.h"
#include "device/device_link.h"
#include "device/emulated_mouse.h"
#include "device/recording_transport.h"
#include "device/upload.h"
#include "support/golden.h"
#include "support/test_folder.h"

namespace korvane {
namespace {

using testing::SetFeatureOp;
using testing::SleepOp;
using testing::WriteOp;
using ::testing::ElementsAreArray;

void AppendBlock(std::vector<TransportOp>& ops, const Command& command, std::span<const Byte> page) {
  const FeatureReport frame = BuildFeatureReport(command);
  ops.push_back(SetFeatureOp({frame.begin(), frame.end()}));
  for (std::size_t offset = 0; offset < kPageSize; offset += kChunkSize) {
    std::vector<Byte> chunk(kOutputReportSize, 0);
    std::copy_n(page.begin() + offset, kChunkSize, chunk.begin() + 1);
    ops.push_back(WriteOp(chunk));
    ops.push_back(SleepOp(20));
  }
}

// The whole upload of a record with the factory settings and buttons, as the mouse must see it: the
// settings and key pages as kept in tests/golden/, the macro pages as the record holds them.
std::vector<TransportOp> ExpectedUpload(const MouseConfig& config) {
  std::vector<TransportOp> ops;
  ops.push_back(SetFeatureOp({0x00, 0x02, 0, 0, 0, 0, 0, 0, 0xFD}));
  ops.push_back(SleepOp(10));
  ops.push_back(SetFeatureOp({0x00, 0x03, 0x00, config.reportRate, 0, 0, 0, 0, Byte(0xFC - config.reportRate)}));
  ops.push_back(SleepOp(10));
  AppendBlock(ops, MakeCommand(0x0C, 0x00, 0x80), testing::GoldenBytes("settings_page_factory.hex"));
  ops.push_back(SleepOp(10));
  AppendBlock(ops, MakeCommand(0x0D, 0x00, 0x80), testing::GoldenBytes("key_page_factory.hex"));
  ops.push_back(SleepOp(2));
  for (Byte slot = 1; slot <= 12; ++slot) {
    AppendBlock(ops, MakeCommand(0x0F, slot, 0x80), config.macroData[slot - 1]);
    ops.push_back(SleepOp(20));
  }
  return ops;
}

class UploadTest : public ::testing::Test {
 protected:
  void SetUp() override {
    config = FactoryConfig();
    config.profileSlot = 3;
    config.reportRate = 2;
    for (std::size_t n = 0; n < kMacroCount; ++n) {
      for (std::size_t i = 0; i < kPageSize; ++i) config.macroData[n][i] = static_cast<Byte>(n * 16 + i);
    }
    labels = {"Left", "Right", "Middle", "Forward", "Back", "CPI+", "CPI-", "Macro 1"};
    mouse.SetActiveProfile(3);
    link.SetTrace([this](const TransportOp& op) { ops.push_back(op); });
    MouseConfig connectConfig;
    ASSERT_TRUE(link.Connect(connectConfig));
    ops.clear();
  }

  testing::FactoryFolder folder;
  const ConfigFiles files{ProgramFolder(folder.path())};
  EmulatedMouse mouse;
  DeviceLink link{mouse.backend(), [](std::chrono::milliseconds) {}};
  MouseConfig config;
  ButtonLabels labels;
  std::vector<TransportOp> ops;

  UploadOutcome Upload() { return UploadConfiguration(link.protocol(), config, files, files.ProfileFiles(0), "", labels); }
};

TEST_F(UploadTest, SendsTheExactSequence) {
  const UploadOutcome outcome = Upload();
  EXPECT_TRUE(outcome.ok());
  EXPECT_EQ(outcome.steps.size(), 17u);
  config.profileSlot = 0;
  EXPECT_THAT(ops, ElementsAreArray(ExpectedUpload(config)));

  std::size_t features = 0, writes = 0;
  std::chrono::milliseconds slept{0};
  for (const TransportOp& op : ops) {
    features += op.kind == TransportOp::Kind::SetFeature;
    writes += op.kind == TransportOp::Kind::Write;
    slept += op.duration;
  }
  EXPECT_EQ(features, 16u);
  EXPECT_EQ(writes, 28u);
  EXPECT_EQ(slept, std::chrono::milliseconds(832));  // "about 0.83 s"
}

TEST_F(UploadTest, TheMouseHoldsExactlyThePagesSent) {
  Upload();
  const DeviceMirror memory = mouse.memory();
  EXPECT_EQ(memory, link.mirror());
  EXPECT_TRUE(testing::SameBytes(testing::GoldenBytes("settings_page_factory.hex"), memory.settingsPage));
  EXPECT_TRUE(testing::SameBytes(testing::GoldenBytes("key_page_factory.hex"), memory.keyPage));
  EXPECT_EQ(memory.macroPages, config.macroData);
  EXPECT_EQ(memory.activeProfile, 0);
  EXPECT_EQ(memory.reportRateByte, 2);
  EXPECT_EQ(mouse.ignoredFrames(), 0u);
}

TEST_F(UploadTest, SavesTheRecordWithProfileSlotZeroAndTheLabels) {
  Upload();
  EXPECT_EQ(config.profileSlot, 0);
  const std::optional<std::string> saved = ReadWholeFile(folder.File("config0.bin"));
  ASSERT_TRUE(saved);
  ASSERT_EQ(saved->size(), kConfigFileSize);
  const MouseConfigImage image = config.ToBytes();
  EXPECT_EQ(saved->substr(1), std::string(image.begin(), image.end()));
  EXPECT_EQ(ReadLabels(folder.File("str0.ini"), "").buttonLabel, labels);
}

TEST_F(UploadTest, TwoUploadsOfTheSameRecordAreIdentical) {
  Upload();
  const std::vector<TransportOp> first = ops;
  ops.clear();
  Upload();
  EXPECT_EQ(ops, first);
}

TEST_F(UploadTest, AFailedTransferIsReportedButTheSequenceGoesOn) {
  mouse.Unplug();
  const UploadOutcome outcome = Upload();
  ASSERT_FALSE(outcome.ok());
  EXPECT_EQ(outcome.firstFailure()->name, "upload-begin");
  EXPECT_EQ(outcome.firstFailure()->status.errorCode(), ENODEV);
  EXPECT_EQ(outcome.steps.size(), 17u);
  EXPECT_EQ(outcome.steps[16].name, "save-configuration");
  EXPECT_TRUE(outcome.steps[16].status.ok());
  config.profileSlot = 0;
  EXPECT_EQ(ops, ExpectedUpload(config));  // every report was attempted
}

TEST_F(UploadTest, AFailedSaveIsReported) {
  std::filesystem::remove(folder.File("config0.bin"));
  const UploadOutcome outcome = Upload();
  ASSERT_NE(outcome.firstFailure(), nullptr);
  EXPECT_EQ(outcome.firstFailure()->name, "save-configuration");
}

}  // namespace
}  // namespace korvane
