#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "device/device_link.h"
#include "device/fake_hid.h"

namespace korvane {
namespace {

using testing::FakeBackend;
using testing::kCommandCaps;
using testing::kEventCaps;
using testing::kPointerCaps;
using testing::MakeInterface;
using ::testing::ElementsAre;
using ::testing::ElementsAreArray;

constexpr std::uint16_t V = MOUSE_VENDOR_ID, P = MOUSE_PRODUCT_ID;

HidInterface Unreadable(std::string path) { return HidInterface{std::move(path), std::nullopt, std::nullopt}; }

HidInterface WithoutCaps(std::string path, std::uint16_t vendor) {
  return HidInterface{std::move(path), HidAttributes{vendor, P}, std::nullopt};
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
      {"the scan stops at the command interface",
       {MakeInterface("cmd", V, P, kCommandCaps), MakeInterface("ev", V, P, kEventCaps)},
       true,
       {"cmd commands"}},
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
