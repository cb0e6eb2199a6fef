#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "device/device_link.h"
#include "device/fake_hid.h"

namespace korvane {
namespace {

using testing::At;
using testing::FakeBackend;
using testing::FakeDevice;
using testing::kCommandCaps;
using testing::kEventCaps;
using testing::kPointerCaps;
using testing::MakeInterface;
using ::testing::ElementsAre;
using ::testing::ElementsAreArray;

constexpr std::uint16_t V = MOUSE_VENDOR_ID, P = MOUSE_PRODUCT_ID;
constexpr auto kNoSleep = [](std::chrono::milliseconds) {};
using EventInbox = testing::Inbox<DeviceEvent>;

HidInterface Unreadable(std::string path) {
  HidInterface interface;
  interface.path = std::move(path);
  return interface;
}

HidInterface WithoutCaps(std::string path, std::uint16_t vendor) {
  HidInterface interface = MakeInterface(std::move(path), vendor, P, {});
  interface.caps.reset();
  return interface;
}

HidCaps WithFeature(std::uint16_t length) {
  HidCaps caps = kCommandCaps;
  caps.featureReportLength = length;
  return caps;
}

struct ScanCase {
  const char* name;
  std::vector<HidInterface> interfaces;
  bool found;
  std::vector<std::string> opened;
  std::string failingPath = "";
};

TEST(ScanTest, FollowsTheRulesOfTheDeviceList) {
  const ScanCase cases[] = {
      {"events before commands: both opened",
       {MakeInterface("kbd", 0x046D, 0xC31C, kPointerCaps), MakeInterface("ptr", V, P, kPointerCaps),
        MakeInterface("ev", V, P, kEventCaps), MakeInterface("cmd", V, P, kCommandCaps)},
       true,
       {"ev events", "cmd commands"}},
      {"commands before events: both opened, events first",
       {MakeInterface("cmd", V, P, kCommandCaps), MakeInterface("ev", V, P, kEventCaps)},
       true,
       {"ev events", "cmd commands"}},
      {"an event interface alone opens nothing",
       {MakeInterface("ev", V, P, kEventCaps), MakeInterface("ptr", V, P, kPointerCaps)},
       false,
       {}},
      {"the interfaces of one device are matched",
       {At(MakeInterface("b-cmd", V, P, kCommandCaps), "usb-2", 2),
        At(MakeInterface("a-ev", V, P, kEventCaps), "usb-1", 1),
        At(MakeInterface("b-ev", V, P, kEventCaps), "usb-2", 1),
        At(MakeInterface("a-cmd", V, P, kCommandCaps), "usb-1", 2)},
       true,
       {"a-ev events", "a-cmd commands"}},
      {"another device's event interface is not taken",
       {At(MakeInterface("a-ev", V, P, kEventCaps), "usb-1", 1),
        At(MakeInterface("b-cmd", V, P, kCommandCaps), "usb-2", 2)},
       true,
       {"b-cmd commands"}},
      {"of two command collections the lower interface number",
       {At(MakeInterface("cmd3", V, P, kCommandCaps), "usb-1", 3),
        At(MakeInterface("cmd2", V, P, kCommandCaps), "usb-1", 2)},
       true,
       {"cmd2 commands"}},
      {"other products are never opened",
       {MakeInterface("other", V, 0x1234, kCommandCaps), MakeInterface("other2", 0x1234, P, kCommandCaps)},
       false,
       {}},
      {"feature length other than 9 is no command interface",
       {MakeInterface("cmd8", V, P, WithFeature(8)), MakeInterface("cmd65", V, P, WithFeature(65))},
       false,
       {}},
      {"an event collection without input reports is not opened",
       {MakeInterface("ev0", V, P, HidCaps{0xFF01, 0x0001, 0, 0, 0}), MakeInterface("cmd", V, P, kCommandCaps)},
       true,
       {"cmd commands"}},
      {"an interface that cannot be examined ends the scan",
       {Unreadable("locked"), MakeInterface("cmd", V, P, kCommandCaps)},
       false,
       {}},
      {"the mouse's descriptor unreadable ends the scan",
       {WithoutCaps("ev", V), MakeInterface("cmd", V, P, kCommandCaps)},
       false,
       {}},
      {"an interface that cannot be examined ends the scan also after the mouse",
       {MakeInterface("cmd", V, P, kCommandCaps), Unreadable("locked")},
       false,
       {}},
      {"a foreign device's descriptor does not matter",
       {WithoutCaps("foreign", 0x1234), MakeInterface("cmd", V, P, kCommandCaps)},
       true,
       {"cmd commands"}},
      {"an open failure ends the scan",
       {MakeInterface("ev", V, P, kEventCaps), MakeInterface("cmd", V, P, kCommandCaps)},
       false,
       {"ev events", "cmd commands"},
       "cmd"},
  };
  for (const ScanCase& c : cases) {
    FakeBackend backend;
    backend.interfaces = c.interfaces;
    backend.failingPath = c.failingPath;
    DeviceLink link(backend, [](std::chrono::milliseconds) {});
    EXPECT_EQ(link.FindAndOpenMouse(), c.found) << c.name;
    EXPECT_EQ(link.connected(), c.found) << c.name;
    EXPECT_THAT(backend.opened, ElementsAreArray(c.opened)) << c.name;
    EXPECT_EQ(link.scanStatus().ok(), c.found) << c.name;
  }
}

// The kernel numbers hidraw nodes in the order they bind: after a replug the command interface
// can come first.
TEST(ScanTest, OpensBothInterfacesWhateverTheirNodeNumbers) {
  FakeBackend backend;
  backend.interfaces = {MakeInterface("/dev/hidraw0", 0x046D, 0xC31C, kPointerCaps),
                        At(MakeInterface("/dev/hidraw1", V, P, kCommandCaps), "usb-0000:00:14.0-2", 2),
                        At(MakeInterface("/dev/hidraw2", V, P, kEventCaps), "usb-0000:00:14.0-2", 1),
                        At(MakeInterface("/dev/hidraw3", V, P, kPointerCaps), "usb-0000:00:14.0-2", 0)};
  EventInbox inbox;
  DeviceLink link(backend, kNoSleep);
  ASSERT_TRUE(link.FindAndOpenMouse());
  EXPECT_THAT(backend.opened, ElementsAre("/dev/hidraw2 events", "/dev/hidraw1 commands"));
  EXPECT_EQ(link.devicePath(), "/dev/hidraw1");
  EXPECT_TRUE(link.protocol().SendAttach().ok());

  link.StartReader(inbox.Callback());
  backend.devices[0]->Push({0x06, 0x07, 0x01, 0x04, 0, 0, 0, 0});
  backend.devices[0]->Push({0x06, 0x07, 0x09, 0x02, 0, 0, 0, 0});
  EXPECT_THAT(inbox.WaitFor(2), ElementsAre(DeviceEvent{1, 4}, DeviceEvent{9, 2}));

  // The arrival of another node scans again; the events go on on the interface opened anew.
  EXPECT_EQ(link.OnDeviceChange({DeviceNotice::kArrival, 5, "hidraw3#HID#VID_04D9&PID_A0F4"}),
            DeviceChange::MouseFound);
  ASSERT_EQ(backend.devices.size(), 4u);
  backend.devices[2]->Push({0x06, 0x07, 0x02, 0x05, 0, 0, 0, 0});
  EXPECT_THAT(inbox.WaitFor(3), ElementsAre(DeviceEvent{1, 4}, DeviceEvent{9, 2}, DeviceEvent{2, 5}));
}

TEST(ScanTest, AHandleOfANodeThatWentAwayIsClosed) {
  const HidInterface events = At(MakeInterface("/dev/hidraw1", V, P, kEventCaps), "usb-1", 1);
  const HidInterface commands = At(MakeInterface("/dev/hidraw2", V, P, kCommandCaps), "usb-1", 2);
  struct Case {
    const char* name;
    bool readFails;  // the removal ended the pending read, or the read is still pending
    std::vector<HidInterface> left;
    DeviceChange expected;
  };
  const Case cases[] = {
      {"read failed, command interface left", true, {commands}, DeviceChange::StillConnected},
      {"read pending, command interface left", false, {commands}, DeviceChange::StillConnected},
      {"read failed, nothing left", true, {}, DeviceChange::MouseLost},
      {"read pending, nothing left", false, {}, DeviceChange::MouseLost},
  };
  for (const Case& c : cases) {
    FakeBackend backend;
    backend.interfaces = {events, commands};
    EventInbox inbox;
    DeviceLink link(backend, kNoSleep);
    ASSERT_TRUE(link.FindAndOpenMouse()) << c.name;
    link.StartReader(inbox.Callback());
    backend.devices[0]->Push({0x06, 0x07, 0x01, 0x02});
    ASSERT_EQ(inbox.WaitFor(1).size(), 1u) << c.name;
    const std::weak_ptr<FakeDevice> opened = backend.devices[0];
    backend.devices.clear();

    if (c.readFails) opened.lock()->Push({});
    backend.interfaces = c.left;
    EXPECT_EQ(link.OnDeviceChange({DeviceNotice::kRemoveComplete, 5, "hidraw1#HID#VID_04D9&PID_A0F4"}), c.expected)
        << c.name;
    EXPECT_TRUE(opened.expired()) << c.name;
  }
}

TEST(ScanTest, KeepsTheCommandInterfaceLengthsAndPath) {
  FakeBackend backend;
  HidCaps caps = kCommandCaps;
  caps.inputReportLength = 33;
  backend.interfaces = {MakeInterface("cmd", V, P, caps), MakeInterface("later", 0x1111, 0x2222, kPointerCaps)};
  DeviceLink link(backend, [](std::chrono::milliseconds) {});
  ASSERT_TRUE(link.FindAndOpenMouse());
  EXPECT_EQ(link.inputReportLength(), 33);
  EXPECT_EQ(link.devicePath(), "cmd");
}

TEST(ScanTest, FailureSaysWhy) {
  FakeBackend backend;
  backend.enumerateStatus = Status::Failure("cannot list");
  DeviceLink link(backend, [](std::chrono::milliseconds) {});
  EXPECT_FALSE(link.FindAndOpenMouse());
  EXPECT_EQ(link.scanStatus().message(), "cannot list");

  backend.enumerateStatus = Status::Ok();
  backend.interfaces = {MakeInterface("cmd", V, P, kCommandCaps)};
  backend.failingPath = "cmd";
  EXPECT_FALSE(link.FindAndOpenMouse());
  EXPECT_EQ(link.scanStatus().message(), "cannot open cmd");
  EXPECT_EQ(link.scanStatus().errorCode(), EACCES);
}

TEST(ScanTest, ARescanThatFailsDisconnectsAndStopsCommands) {
  FakeBackend backend;
  backend.interfaces = {MakeInterface("cmd", V, P, kCommandCaps)};
  DeviceLink link(backend, [](std::chrono::milliseconds) {});
  ASSERT_TRUE(link.FindAndOpenMouse());
  backend.interfaces.clear();
  EXPECT_FALSE(link.FindAndOpenMouse());
  EXPECT_FALSE(link.connected());
  EXPECT_FALSE(link.protocol().SendAttach().ok());
}

}  // namespace
}  // namespace korvane
