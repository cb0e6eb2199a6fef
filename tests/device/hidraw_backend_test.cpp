#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "common/file_io.h"
#include "device/device_link.h"
#include "device/emulated_mouse.h"
#include "device/hidraw_backend.h"
#include "device/fake_hid.h"
#include "device/hotplug_watcher.h"
#include "support/test_folder.h"

namespace korvane {
namespace {

using ::testing::ElementsAre;
using ::testing::HasSubstr;

const std::vector<Byte> kKeyboardDescriptor = {0x05, 0x01, 0x09, 0x06, 0xA1, 0x01, 0x75, 0x08,
                                               0x95, 0x08, 0x81, 0x00, 0xC0};

// A sysfs class folder and a /dev folder with hidraw nodes that are plain files.
class FakeHidrawTree {
 public:
  FakeHidrawTree() {
    std::filesystem::create_directories(roots.sysfs);
    std::filesystem::create_directories(roots.dev);
  }

  // phys, when given, becomes the HID_PHYS line.
  void AddNode(const std::string& node, const std::string& hidId, std::span<const Byte> descriptor,
               const std::string& phys = "") {
    const std::filesystem::path device = roots.sysfs / node / "device";
    std::filesystem::create_directories(device);
    WriteFile(device / "uevent", "DRIVER=hid-generic\nHID_ID=" + hidId + "\nHID_NAME=Test\n" +
                                     (phys.empty() ? "" : "HID_PHYS=" + phys + "\nHID_UNIQ=\n"));
    WriteFile(device / "report_descriptor", std::string(descriptor.begin(), descriptor.end()));
    Touch(roots.dev / node);
  }
  // Created in place, as the kernel creates device nodes.
  static void Touch(const std::filesystem::path& path) { ::close(::open(path.c_str(), O_CREAT | O_WRONLY, 0600)); }
  void RemoveNode(const std::string& node) {
    std::filesystem::remove_all(roots.sysfs / node);
    std::filesystem::remove(roots.dev / node);
  }

  testing::TempFolder folder;
  HidrawRoots roots{folder.File("sys"), folder.File("dev")};

 private:
  static void WriteFile(const std::filesystem::path& path, const std::string& bytes) {
    ASSERT_TRUE(WriteFileReplacing(path, bytes).ok());
  }
};

constexpr const char* kMouseId = "0003:000004D9:0000A0F4";
constexpr const char* kKeyboardId = "0003:0000046D:0000C31C";

TEST(HidrawBackendTest, ParsesTheHidIdLine) {
  EXPECT_EQ(ParseHidId("DRIVER=hid-generic\nHID_ID=0003:000004D9:0000A0F4\n")->productId, 0xA0F4);
  EXPECT_EQ(ParseHidId("HID_ID=0005:0000046D:0000B023")->vendorId, 0x046D);
  EXPECT_FALSE(ParseHidId("HID_NAME=x\n"));
  EXPECT_FALSE(ParseHidId("HID_ID=garbage\n"));
  EXPECT_FALSE(ParseHidId("HID_ID=0003:000104D9:0000A0F4\n"));
}

TEST(HidrawBackendTest, ParsesTheHidPhysLine) {
  struct Case {
    const char* uevent;
    std::optional<HidPhys> expected;
  };
  const Case cases[] = {
      {"HID_ID=0003:000004D9:0000A0F4\nHID_PHYS=usb-0000:00:14.0-2/input1\n", HidPhys{"usb-0000:00:14.0-2", 1}},
      {"HID_PHYS=usb-0000:00:14.0-2.4/input12", HidPhys{"usb-0000:00:14.0-2.4", 12}},
      {"HID_PHYS=/input0\n", HidPhys{"", 0}},
      {"HID_PHYS=11:22:33:44:55:66\n", std::nullopt},  // Bluetooth: an address only
      {"HID_PHYS=\n", std::nullopt},
      {"HID_PHYS=usb-1/input\n", std::nullopt},
      {"HID_PHYS=usb-1/input1a\n", std::nullopt},
      {"HID_PHYS=usb-1/inputs/x\n", std::nullopt},
      {"HID_ID=0003:000004D9:0000A0F4\n", std::nullopt},
  };
  for (const Case& c : cases) EXPECT_EQ(ParseHidPhys(c.uevent), c.expected) << c.uevent;
}

TEST(HidrawBackendTest, TellsEachNodesDeviceAndInterfaceFromHidPhys) {
  FakeHidrawTree tree;
  // Bound in the "wrong" order: the command interface got the lowest number.
  tree.AddNode("hidraw0", kMouseId, EmulatedMouse::CommandDescriptor(), "usb-0000:00:14.0-2/input2");
  tree.AddNode("hidraw1", kMouseId, EmulatedMouse::EventDescriptor(), "usb-0000:00:14.0-2/input1");
  tree.AddNode("hidraw2", kMouseId, EmulatedMouse::PointerDescriptor(), "usb-0000:00:14.0-2/input0");
  tree.AddNode("hidraw3", kKeyboardId, kKeyboardDescriptor, "usb-0000:00:14.0-1/input0");
  tree.AddNode("hidraw4", kMouseId, EmulatedMouse::CommandDescriptor(), "korvane-uhid");
  tree.AddNode("hidraw5", kMouseId, EmulatedMouse::EventDescriptor());

  auto backend = MakeHidrawBackend(tree.roots);
  std::vector<HidInterface> interfaces;
  ASSERT_TRUE(backend->Enumerate(interfaces).ok());
  ASSERT_EQ(interfaces.size(), 6u);
  struct Expected {
    const char* node;
    const char* device;
    std::optional<unsigned> interfaceNumber;
  };
  const Expected expected[] = {{"hidraw0", "usb-0000:00:14.0-2", 2}, {"hidraw1", "usb-0000:00:14.0-2", 1},
                               {"hidraw2", "usb-0000:00:14.0-2", 0}, {"hidraw3", "usb-0000:00:14.0-1", 0},
                               {"hidraw4", "", std::nullopt},        {"hidraw5", "", std::nullopt}};
  for (std::size_t i = 0; i < interfaces.size(); ++i) {
    EXPECT_EQ(interfaces[i].path, (tree.roots.dev / expected[i].node).string());
    EXPECT_EQ(interfaces[i].device, expected[i].device) << expected[i].node;
    EXPECT_EQ(interfaces[i].interfaceNumber, expected[i].interfaceNumber) << expected[i].node;
  }
}

TEST(HidrawBackendTest, ListsOneInterfacePerCollectionInNodeOrder) {
  FakeHidrawTree tree;
  tree.AddNode("hidraw10", kMouseId, EmulatedMouse::CommandDescriptor());
  tree.AddNode("hidraw2", kMouseId, EmulatedMouse::EventDescriptor());
  tree.AddNode("hidraw1", kMouseId, EmulatedMouse::PointerDescriptor());
  tree.AddNode("hidraw0", kKeyboardId, kKeyboardDescriptor);
  std::filesystem::create_directories(tree.roots.sysfs / "notanode");
  // Two collections on one node share its path.
  std::vector<Byte> twoCollections(kKeyboardDescriptor);
  twoCollections.insert(twoCollections.end(), kKeyboardDescriptor.begin(), kKeyboardDescriptor.end());
  tree.AddNode("hidraw11", kKeyboardId, twoCollections);

  auto backend = MakeHidrawBackend(tree.roots);
  std::vector<HidInterface> interfaces;
  ASSERT_TRUE(backend->Enumerate(interfaces).ok());
  std::vector<std::string> paths;
  for (const HidInterface& interface : interfaces) {
    paths.push_back(interface.path.substr(tree.roots.dev.string().size()));
  }
  EXPECT_THAT(paths, ElementsAre("/hidraw0", "/hidraw1", "/hidraw2", "/hidraw10", "/hidraw11", "/hidraw11"));
  EXPECT_EQ(interfaces[0].attributes->vendorId, 0x046D);
  EXPECT_EQ(*interfaces[2].caps, (HidCaps{0xFF01, 0x0001, 8, 0, 0}));
  EXPECT_EQ(*interfaces[3].caps, (HidCaps{0xFF00, 0xFF00, 65, 65, 9}));
}

TEST(HidrawBackendTest, NodesThatCannotBeExaminedAreListedAsSuch) {
  FakeHidrawTree tree;
  tree.AddNode("hidraw0", kMouseId, std::vector<Byte>{0xA1, 0x01});  // unbalanced
  std::filesystem::create_directories(tree.roots.sysfs / "hidraw1" / "device");  // no uevent
  auto backend = MakeHidrawBackend(tree.roots);
  std::vector<HidInterface> interfaces;
  ASSERT_TRUE(backend->Enumerate(interfaces).ok());
  ASSERT_EQ(interfaces.size(), 2u);
  EXPECT_TRUE(interfaces[0].attributes);
  EXPECT_FALSE(interfaces[0].caps);
  EXPECT_FALSE(interfaces[1].attributes);
}

TEST(HidrawBackendTest, TheScanFindsTheMouseInTheTree) {
  FakeHidrawTree tree;
  tree.AddNode("hidraw0", kKeyboardId, kKeyboardDescriptor);
  tree.AddNode("hidraw1", kMouseId, EmulatedMouse::EventDescriptor());
  tree.AddNode("hidraw2", kMouseId, EmulatedMouse::CommandDescriptor());
  auto backend = MakeHidrawBackend(tree.roots);
  DeviceLink link(*backend, [](std::chrono::milliseconds) {});
  ASSERT_TRUE(link.FindAndOpenMouse());
  EXPECT_EQ(link.devicePath(), (tree.roots.dev / "hidraw2").string());
  // A plain file takes no hidraw ioctl; the failure carries the system's words.
  const Status status = link.protocol().SendAttach();
  EXPECT_EQ(status.errorCode(), ENOTTY);
  EXPECT_THAT(status.message(), HasSubstr("hidraw2: Inappropriate ioctl for device"));
}

// The event node is a FIFO here, so that the test can play the mouse's part on it.
TEST(HidrawBackendTest, TheScanOpensBothInterfacesWhateverTheirNodeNumbers) {
  FakeHidrawTree tree;
  tree.AddNode("hidraw0", kKeyboardId, kKeyboardDescriptor, "usb-0000:00:14.0-1/input0");
  tree.AddNode("hidraw1", kMouseId, EmulatedMouse::CommandDescriptor(), "usb-0000:00:14.0-2/input2");
  tree.AddNode("hidraw2", kMouseId, EmulatedMouse::EventDescriptor(), "usb-0000:00:14.0-2/input1");
  tree.AddNode("hidraw3", kMouseId, EmulatedMouse::PointerDescriptor(), "usb-0000:00:14.0-2/input0");
  const std::filesystem::path eventNode = tree.roots.dev / "hidraw2";
  std::filesystem::remove(eventNode);
  ASSERT_EQ(::mkfifo(eventNode.c_str(), 0600), 0);

  auto backend = MakeHidrawBackend(tree.roots);
  testing::Inbox<DeviceEvent> inbox;
  DeviceLink link(*backend, [](std::chrono::milliseconds) {});
  ASSERT_TRUE(link.FindAndOpenMouse()) << link.scanStatus().message();
  EXPECT_EQ(link.devicePath(), (tree.roots.dev / "hidraw1").string());
  link.StartReader(inbox.Callback());

  const int mouse = ::open(eventNode.c_str(), O_WRONLY | O_NONBLOCK);
  ASSERT_GE(mouse, 0) << "the event interface was not opened";
  const Byte report[] = {0x06, 0x07, 0x09, 0x04, 0, 0, 0, 0};
  ASSERT_EQ(::write(mouse, report, sizeof report), static_cast<ssize_t>(sizeof report));
  EXPECT_THAT(inbox.WaitFor(1), ElementsAre(DeviceEvent{9, 4}));
  ::close(mouse);
}

TEST(HidrawBackendTest, AMissingClassFolderMeansNoDevices) {
  testing::TempFolder folder;
  auto backend = MakeHidrawBackend({folder.File("none"), folder.File("dev")});
  std::vector<HidInterface> interfaces;
  EXPECT_TRUE(backend->Enumerate(interfaces).ok());
  EXPECT_TRUE(interfaces.empty());
}

// hidraw nodes stand in as FIFOs: what is written comes back as an input report.
class HidrawIoTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0); }
  std::shared_ptr<HidDevice> Open(bool numbered) {
    std::shared_ptr<HidDevice> device;
    EXPECT_TRUE(OpenHidrawNode(fifo, true, numbered, device).ok());
    return device;
  }

  testing::TempFolder folder;
  std::filesystem::path fifo = folder.File("hidraw9");
};

TEST_F(HidrawIoTest, UnnumberedReportsKeepTheirIdByteOnTheWayIn) {
  auto device = Open(false);
  // The other end of the FIFO plays the kernel's part.
  const int mouse = ::open(fifo.c_str(), O_RDWR | O_NONBLOCK);
  ASSERT_GE(mouse, 0);
  std::vector<Byte> data(64);
  for (std::size_t i = 0; i < data.size(); ++i) data[i] = static_cast<Byte>(i + 1);
  ASSERT_EQ(::write(mouse, data.data(), data.size()), 64);

  std::vector<Byte> report(65, 0xEE);
  const ReadResult result = device->Read(report, std::chrono::milliseconds(100));
  ::close(mouse);
  ASSERT_TRUE(result.status.ok()) << result.status.message();
  EXPECT_EQ(result.length, 65u);
  EXPECT_EQ(report[0], 0);
  EXPECT_TRUE(std::equal(data.begin(), data.end(), report.begin() + 1));
}

TEST_F(HidrawIoTest, NumberedReportsAreReadAsTheyCome) {
  auto device = Open(true);
  const std::vector<Byte> event = {0x06, 0x07, 0x01, 0x02, 0, 0, 0, 0};
  ASSERT_TRUE(device->Write(event).ok());
  std::vector<Byte> report(8, 0);
  ReadResult result = device->Read(report, std::chrono::milliseconds(100));
  ASSERT_TRUE(result.status.ok());
  EXPECT_EQ(report, event);
}

TEST_F(HidrawIoTest, ReadsTimeOutAndCanBeInterrupted) {
  auto device = Open(false);
  std::vector<Byte> report(65, 0);
  EXPECT_EQ(device->Read(report, std::chrono::milliseconds(10)).status.errorCode(), kReadTimedOut);
  device->Interrupt();
  EXPECT_EQ(device->Read(report, std::nullopt).status.errorCode(), kReadInterrupted);
  EXPECT_EQ(device->Read(report, std::chrono::milliseconds(0)).status.errorCode(), kReadTimedOut);
}

TEST(HidrawOpenTest, AMissingNodeSaysSo) {
  std::shared_ptr<HidDevice> device;
  const Status status = OpenHidrawNode("/nonexistent/hidraw0", true, false, device);
  EXPECT_EQ(status.errorCode(), ENOENT);
  EXPECT_THAT(status.message(), HasSubstr("Cannot open /nonexistent/hidraw0: No such file or directory"));
}

using NoticeInbox = testing::Inbox<DeviceNotice>;

TEST(HotplugWatcherTest, TurnsNodesIntoArrivalAndRemovalNotices) {
  FakeHidrawTree tree;
  tree.AddNode("hidraw0", kMouseId, EmulatedMouse::PointerDescriptor());  // there before the watch
  NoticeInbox inbox;
  std::unique_ptr<DeviceWatch> watch;
  ASSERT_TRUE(StartHotplugWatcher(tree.roots, inbox.Callback(), std::chrono::milliseconds(0), watch).ok());

  tree.AddNode("hidraw3", kMouseId, EmulatedMouse::CommandDescriptor());
  tree.AddNode("hidraw4", kKeyboardId, kKeyboardDescriptor);
  FakeHidrawTree::Touch(tree.roots.dev / "tty7");
  FakeHidrawTree::Touch(tree.roots.dev / "hidraw4.part");
  inbox.WaitFor(2);
  tree.RemoveNode("hidraw3");
  tree.RemoveNode("hidraw0");
  const auto all = inbox.WaitFor(4);
  watch.reset();

  using N = DeviceNotice;
  EXPECT_THAT(all, ElementsAre(N{N::kArrival, 5, "hidraw3#HID#VID_04D9&PID_A0F4"},
                               N{N::kArrival, 5, "hidraw4#HID#VID_046D&PID_C31C"},
                               N{N::kRemoveComplete, 5, "hidraw3#HID#VID_04D9&PID_A0F4"},
                               N{N::kRemoveComplete, 5, "hidraw0#HID#VID_04D9&PID_A0F4"}));
}

TEST(HotplugWatcherTest, ANodeGoneBeforeItSettledIsOnlyRemoved) {
  FakeHidrawTree tree;
  NoticeInbox inbox;
  std::unique_ptr<DeviceWatch> watch;
  ASSERT_TRUE(StartHotplugWatcher(tree.roots, inbox.Callback(), std::chrono::seconds(10), watch).ok());
  tree.AddNode("hidraw5", kMouseId, EmulatedMouse::CommandDescriptor());
  std::filesystem::remove(tree.roots.dev / "hidraw5");
  EXPECT_THAT(inbox.WaitFor(1),
              ElementsAre(DeviceNotice{DeviceNotice::kRemoveComplete, 5, "hidraw5#HID#VID_04D9&PID_A0F4"}));
  const auto start = std::chrono::steady_clock::now();
  watch.reset();
  EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(500));
}

}  // namespace
}  // namespace korvane
