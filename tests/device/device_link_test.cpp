#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "device/device_link.h"
#include "device/emulated_mouse.h"
#include "device/fake_hid.h"

namespace korvane {
namespace {

using ::testing::ElementsAre;
using ::testing::Each;

constexpr auto kNoSleep = [](std::chrono::milliseconds) {};

using EventInbox = testing::Inbox<DeviceEvent>;

class EmulatedLinkTest : public ::testing::Test {
 protected:
  EventInbox inbox;  // outlives the reader thread
  EmulatedMouse mouse;
  DeviceLink link{mouse.backend(), kNoSleep};
  MouseConfig config;
  std::vector<std::string> trace;
  std::vector<DeviceNotice> notices;

  void SetUp() override {
    link.SetTrace([this](const TransportOp& op) { trace.push_back(FormatTransportOp(op)); });
    ASSERT_TRUE(link.WatchDevices([this](const DeviceNotice& notice) { notices.push_back(notice); }).ok());
  }
};

TEST_F(EmulatedLinkTest, HandshakeReadsTheProfileAndAttaches) {
  mouse.SetActiveProfile(2);
  link.mirror().keyPage.fill(0x33);
  config.profileSlot = 5;
  ASSERT_TRUE(link.Connect(config));
  EXPECT_THAT(trace, ElementsAre("set-feature 00 82 00 00 00 00 00 00 7d", "get-feature 00 82 02 00 00 00 00 00 7b",
                                 "set-feature 00 01 fc 00 00 00 00 00 02"));
  EXPECT_EQ(config.profileSlot, 2);
  EXPECT_EQ(link.mirror().activeProfile, 2);
  EXPECT_EQ(link.mirror().attachByte, ATTACH_BYTE);
  EXPECT_THAT(link.mirror().keyPage, Each(0));
  EXPECT_EQ(mouse.memory().attachByte, ATTACH_BYTE);
  EXPECT_EQ(mouse.ignoredFrames(), 0u);
}

TEST_F(EmulatedLinkTest, StageReadBackFillsTheMirror) {
  ASSERT_TRUE(link.Connect(config));
  EXPECT_TRUE(link.ReadStageSettings().ok());
  EXPECT_EQ(link.mirror().settingsPage, mouse.memory().settingsPage);
}

TEST_F(EmulatedLinkTest, UnplugAndReplugFollowTheNotices) {
  ASSERT_TRUE(link.Connect(config));
  mouse.Unplug();
  ASSERT_EQ(notices.size(), 3u);
  for (const DeviceNotice& notice : notices) {
    EXPECT_EQ(notice.type, DeviceNotice::kRemoveComplete);
    EXPECT_EQ(link.OnDeviceChange(notice), DeviceChange::MouseLost);
  }
  EXPECT_FALSE(link.connected());
  EXPECT_FALSE(link.ReadStageSettings().ok());

  notices.clear();
  mouse.Plug();
  ASSERT_EQ(notices.size(), 3u);
  EXPECT_EQ(link.OnDeviceChange(notices[0]), DeviceChange::MouseFound);
  EXPECT_TRUE(link.connected());
  EXPECT_TRUE(link.ReadStageSettings().ok());
}

TEST_F(EmulatedLinkTest, RemovalOfOneInterfaceWhileTheMouseStaysKeepsTheLink) {
  ASSERT_TRUE(link.Connect(config));
  const DeviceNotice removal{DeviceNotice::kRemoveComplete, DeviceNotice::kDeviceInterfaceHeader,
                             "emulated#HID#VID_04D9&PID_A0F4&MI_00"};
  EXPECT_EQ(link.OnDeviceChange(removal), DeviceChange::StillConnected);
  EXPECT_TRUE(link.connected());
}

TEST_F(EmulatedLinkTest, NoticesAreMatchedByTheSpellingOfTheIdentifiers) {
  struct Case {
    unsigned type, header;
    const char* name;
    DeviceChange expected;
  };
  const Case cases[] = {
      {DeviceNotice::kArrival, 5, "\\\\?\\HID#VID_04D9&PID_A0F4&MI_01#7&1", DeviceChange::MouseFound},
      {DeviceNotice::kArrival, 5, "\\\\?\\hid#Vid_04d9&Pid_a0f4&mi_01#7&1", DeviceChange::MouseFound},
      {DeviceNotice::kArrival, 5, "\\\\?\\hid#vid_04d9&pid_a0f4&mi_01#7&1", DeviceChange::Ignored},
      {DeviceNotice::kArrival, 5, "\\\\?\\HID#VID_04D9&PID_0001", DeviceChange::Ignored},
      {DeviceNotice::kArrival, 3, "HID#VID_04D9&PID_A0F4", DeviceChange::Ignored},
      {0x8003, 5, "HID#VID_04D9&PID_A0F4", DeviceChange::Ignored},
  };
  for (const Case& c : cases) EXPECT_EQ(link.OnDeviceChange({c.type, c.header, c.name}), c.expected) << c.name;
}

TEST_F(EmulatedLinkTest, AnArrivalWhoseScanFailsIsALoss) {
  mouse.Unplug();
  EXPECT_EQ(link.OnDeviceChange({DeviceNotice::kArrival, 5, "HID#VID_04D9&PID_A0F4"}), DeviceChange::MouseLost);
  EXPECT_FALSE(link.connected());
}

TEST_F(EmulatedLinkTest, EventReportsReachTheCallback) {
  ASSERT_TRUE(link.Connect(config));
  link.StartReader(inbox.Callback());
  mouse.PressCpiButton();
  mouse.SwitchMacro(3);
  mouse.SendEvent(2, 3);
  EXPECT_THAT(inbox.WaitFor(3), ElementsAre(DeviceEvent{1, 2}, DeviceEvent{9, 3}, DeviceEvent{2, 3}));
  EXPECT_EQ(mouse.stage(), 2);
  link.StopReader();
  EXPECT_FALSE(link.readerStarted());
}

TEST_F(EmulatedLinkTest, TheReaderWaitsForTheNextConnection) {
  link.StartReader(inbox.Callback());  // started before any connection
  ASSERT_TRUE(link.Connect(config));
  mouse.PressCpiButton();
  EXPECT_THAT(inbox.WaitFor(1), ElementsAre(DeviceEvent{1, 2}));

  mouse.Unplug();
  for (const DeviceNotice& notice : notices) link.OnDeviceChange(notice);
  mouse.Plug();
  EXPECT_EQ(link.OnDeviceChange(notices.back()), DeviceChange::MouseFound);
  mouse.SwitchMacro(5);
  EXPECT_THAT(inbox.WaitFor(2), ElementsAre(DeviceEvent{1, 2}, DeviceEvent{9, 5}));
}

TEST(ReaderTest, OnlyEventReportsAreHandedOn) {
  testing::FakeBackend backend;
  backend.interfaces = {testing::MakeInterface("ev", MOUSE_VENDOR_ID, MOUSE_PRODUCT_ID, testing::kEventCaps),
                        testing::MakeInterface("cmd", MOUSE_VENDOR_ID, MOUSE_PRODUCT_ID, testing::kCommandCaps)};
  EventInbox inbox;
  DeviceLink link(backend, kNoSleep);
  ASSERT_TRUE(link.FindAndOpenMouse());
  link.StartReader(inbox.Callback());
  auto& events = *backend.devices[0];
  events.Push({0x05, 0x07, 0x01, 0x02});
  events.Push({0x06, 0x08, 0x01, 0x02});
  events.Push({0x06, 0x07, 0x02, 0x03, 0xAA, 0xBB, 0xCC, 0xDD});
  EXPECT_THAT(inbox.WaitFor(1), ElementsAre(DeviceEvent{2, 3}));

  // After a read error the reader goes on with the interface of the next scan.
  events.Push({});
  ASSERT_TRUE(link.FindAndOpenMouse());
  backend.devices[2]->Push({0x06, 0x07, 0x09, 0x02});
  EXPECT_THAT(inbox.WaitFor(2), ElementsAre(DeviceEvent{2, 3}, DeviceEvent{9, 2}));
}

TEST(ReaderTest, StopsPromptlyWhileBlocked) {
  EventInbox inbox;
  EmulatedMouse mouse;
  DeviceLink link(mouse.backend(), kNoSleep);
  MouseConfig config;
  ASSERT_TRUE(link.Connect(config));
  link.StartReader(inbox.Callback());
  const auto start = std::chrono::steady_clock::now();
  link.StopReader();
  EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(500));
  // And again, from a park without a connection, through the destructor.
  link.Close();
  link.StartReader(inbox.Callback());
}

}  // namespace
}  // namespace korvane
