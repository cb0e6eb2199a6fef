// The mouse goes away in the middle of a transfer, and the firmware model and the descriptor parser
// meet frames a host should never send.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <chrono>

#include "common/file_io.h"
#include "config/factory_profile.h"
#include "config/settings_page.h"
#include "device/device_link.h"
#include "device/emulated_mouse.h"
#include "device/fake_hid.h"
#include "device/hid_descriptor.h"
#include "device/upload.h"
#include "profile/config_files.h"
#include "support/test_folder.h"

namespace korvane {
namespace {

using testing::FactoryFolder;
using testing::RecordingMessages;
using ::testing::Each;

using Clock = std::chrono::steady_clock;
// Generous: with the emulated mouse every failed call returns at once.
constexpr auto kBounded = std::chrono::seconds(2);

// Passes every operation on and unplugs the mouse once `before` operations have gone through.
class UnpluggingTransport : public Transport {
 public:
  UnpluggingTransport(Transport& inner, EmulatedMouse& mouse, int before)
      : inner_(inner), mouse_(mouse), left_(before) {}
  Status SetFeature(std::span<const Byte> report) override { return Count(inner_.SetFeature(report)); }
  Status GetFeature(std::span<Byte> report) override { return Count(inner_.GetFeature(report)); }
  Status WriteOutput(std::span<const Byte> report) override { return Count(inner_.WriteOutput(report)); }
  Status ReadInput(std::span<Byte> report) override { return Count(inner_.ReadInput(report)); }
  std::size_t inputReportLength() const override { return inner_.inputReportLength(); }
  void Sleep(std::chrono::milliseconds duration) override { inner_.Sleep(duration); }

 private:
  Status Count(Status status) {
    if (--left_ == 0) mouse_.Unplug();
    return status;
  }
  Transport& inner_;
  EmulatedMouse& mouse_;
  int left_;
};

class DeviceFaultTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(link.WatchDevices([this](const DeviceNotice& notice) { notices.push_back(notice); }).ok());
    ASSERT_TRUE(link.Connect(config));
    // The reader is blocked on the event interface when the mouse goes.
    link.StartReader(events.Callback());
  }

  // Hands the removal notices to the link, as the owner's thread would.
  void DeliverNotices() {
    for (const DeviceNotice& notice : std::exchange(notices, {})) {
      EXPECT_EQ(link.OnDeviceChange(notice), DeviceChange::MouseLost);
    }
  }

  FactoryFolder folder;
  const ConfigFiles files{ProgramFolder(folder.path())};
  EmulatedMouse mouse;
  int sleeps = 0;
  int unplugAtSleep = 0;
  testing::Inbox<DeviceEvent> events;
  DeviceLink link{mouse.backend(), [this](std::chrono::milliseconds) {
                    if (++sleeps == unplugAtSleep) mouse.Unplug();
                  }};
  std::vector<DeviceNotice> notices;
  MouseConfig config = FactoryConfig();
};

TEST_F(DeviceFaultTest, UnplugDuringAnUploadEndsPromptlyDisconnectedWithWholeFiles) {
  // Sleeps: upload-begin, report rate, then the first chunk of the settings page.
  unplugAtSleep = 3;
  config.dpiStage = {10, 20, 30, 40};
  const DeviceMirror before = mouse.memory();

  const Clock::time_point start = Clock::now();
  const UploadOutcome outcome = UploadConfiguration(link.protocol(), config, files, files.ProfileFiles(0), "", DefaultLabels(""));
  EXPECT_LT(Clock::now() - start, kBounded);

  ASSERT_EQ(outcome.steps.size(), 17u);
  ASSERT_NE(outcome.firstFailure(), nullptr);
  EXPECT_EQ(outcome.firstFailure()->name, "write-settings");
  EXPECT_EQ(outcome.firstFailure()->status.errorCode(), ENODEV);
  // The mouse kept no half page, and nothing after the unplug reached it.
  EXPECT_EQ(mouse.memory().settingsPage, before.settingsPage);
  EXPECT_EQ(mouse.memory().keyPage, before.keyPage);

  // The profile file and the labels are whole: the record as edited, flag 1.
  EXPECT_EQ(folder.ReadText("config0.bin"), ConfigFileBytes(config));
  EXPECT_EQ(ReadLabels(folder.File("str0.ini"), "").buttonLabel, DefaultLabels(""));

  ASSERT_EQ(notices.size(), 3u);
  DeliverNotices();
  EXPECT_FALSE(link.connected());
  EXPECT_FALSE(link.ReadStageSettings().ok());
}

TEST_F(DeviceFaultTest, UnplugDuringASettingsReadEndsPromptlyDisconnected) {
  // read-profile: set, get; read-settings: set, get, then the first of two input reports.
  for (int before : {1, 2, 3, 4, 5}) {
    SCOPED_TRACE(before);
    if (!mouse.pluggedIn()) {
      mouse.Plug();
      notices.clear();
      ASSERT_TRUE(link.Connect(config));
    }
    UnpluggingTransport unplugging(link.protocol().transport(), mouse, before);
    link.protocol().setTransport(unplugging);

    const Clock::time_point start = Clock::now();
    const Status status = link.ReadStageSettings();
    EXPECT_LT(Clock::now() - start, kBounded);
    link.SetTrace({});  // the link's own transport again

    EXPECT_FALSE(status.ok());
    EXPECT_EQ(status.errorCode(), ENODEV);
    EXPECT_FALSE(mouse.pluggedIn());
    DeliverNotices();
    EXPECT_FALSE(link.connected());
  }
}

TEST_F(DeviceFaultTest, TheReaderEndsWithTheLinkAfterAnUnplug) {
  mouse.PressCpiButton();
  EXPECT_EQ(events.WaitFor(1).size(), 1u);
  mouse.Unplug();
  DeliverNotices();
  const Clock::time_point start = Clock::now();
  link.StopReader();
  EXPECT_LT(Clock::now() - start, kBounded);
  EXPECT_FALSE(link.readerStarted());
}

// The firmware model of the emulated mouse, fed frames directly.
class EmulatedFirmwareTest : public ::testing::Test {
 protected:
  void SetUp() override {
    std::vector<HidInterface> interfaces;
    ASSERT_TRUE(mouse.backend().Enumerate(interfaces).ok());
    for (const HidInterface& interface : interfaces) {
      if (interface.path == EmulatedMouse::kCommandPath) {
        ASSERT_TRUE(mouse.backend().Open(interface, OpenMode::Commands, commands).ok());
      }
    }
    ASSERT_TRUE(commands);
  }

  void Send(const Command& command) { ASSERT_TRUE(commands->SetFeature(BuildFeatureReport(command)).ok()); }
  void WriteChunk(Byte fill) {
    std::array<Byte, kOutputReportSize> report{};
    std::fill(report.begin() + 1, report.end(), fill);
    ASSERT_TRUE(commands->Write(report).ok());
  }

  EmulatedMouse mouse;
  std::shared_ptr<HidDevice> commands;
};

TEST_F(EmulatedFirmwareTest, ABlockCommandAnnouncingNoDataTakesNoChunk) {
  Send(MakeCommand(CMD_WRITE_SETTINGS, 0, 0));
  for (int i = 0; i < 4; ++i) WriteChunk(0xEE);
  EXPECT_EQ(mouse.memory().settingsPage, SETTINGS_TEMPLATE);
  EXPECT_EQ(mouse.ignoredFrames(), 4u);

  // The firmware still takes a proper page afterwards.
  Send(MakeCommand(CMD_WRITE_KEYS, 0, PAGE_LENGTH_BYTE));
  WriteChunk(0x11);
  WriteChunk(0x22);
  DevicePage expected;
  std::fill(expected.begin(), expected.begin() + kChunkSize, 0x11);
  std::fill(expected.begin() + kChunkSize, expected.end(), 0x22);
  EXPECT_EQ(mouse.memory().keyPage, expected);
}

TEST_F(EmulatedFirmwareTest, ChunksBeyondTheAnnouncedLengthAreIgnored) {
  Send(MakeCommand(CMD_WRITE_MACRO, 1, 64));
  WriteChunk(0x44);
  WriteChunk(0x55);
  DevicePage expected{};
  std::fill(expected.begin(), expected.begin() + kChunkSize, 0x44);
  EXPECT_EQ(mouse.memory().macroPages[0], expected);
  EXPECT_THAT(mouse.memory().macroPages[1], Each(0));
  EXPECT_EQ(mouse.ignoredFrames(), 1u);
}

TEST(HidDescriptorFaultTest, ALongItemCutShortIsATruncatedDescriptor) {
  // A whole vendor collection, then a long item (FE, data size 10, tag) with only two of its ten bytes.
  const std::vector<Byte> descriptor = {0x06, 0x00, 0xFF, 0x09, 0x01, 0xA1, 0x01, 0xC0,
                                        0xFE, 0x0A, 0xF0, 0x01, 0x02};
  EXPECT_FALSE(ParseReportDescriptor(descriptor).has_value());
  // The same item whole is skipped.
  std::vector<Byte> whole = descriptor;
  whole.insert(whole.end(), 8, 0x00);
  ASSERT_TRUE(ParseReportDescriptor(whole).has_value());
  EXPECT_EQ(ParseReportDescriptor(whole)->collections.size(), 1u);
}

}  // namespace
}  // namespace korvane
