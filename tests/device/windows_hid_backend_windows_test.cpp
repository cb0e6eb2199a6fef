#include <gtest/gtest.h>

#include <atomic>

#include "device/hid_backend.h"

namespace korvane {
namespace {

// Against the system's own HID layer (Wine's in CI): whatever it lists must be examinable, and the
// device-change window must start and stop.
TEST(WindowsHidBackendTest, ListsTheSystemsInterfacesWithTheirCollections) {
  const std::unique_ptr<HidBackend> backend = MakeSystemHidBackend();
  std::vector<HidInterface> interfaces;
  ASSERT_TRUE(backend->Enumerate(interfaces).ok());
  for (const HidInterface& interface : interfaces) {
    EXPECT_TRUE(interface.path.starts_with("\\\\?\\")) << interface.path;
    EXPECT_TRUE(interface.caps.has_value()) << interface.path;
  }
}

TEST(WindowsHidBackendTest, DeviceWatchStartsAndStopsWithoutNotices) {
  const std::unique_ptr<HidBackend> backend = MakeSystemHidBackend();
  std::atomic<int> notices = 0;
  std::unique_ptr<DeviceWatch> watch;
  ASSERT_TRUE(backend->WatchDevices([&](const DeviceNotice&) { ++notices; }, watch).ok());
  ASSERT_NE(watch, nullptr);
  watch.reset();
  EXPECT_EQ(notices, 0);
}

TEST(WindowsHidBackendTest, AnInterfaceThatIsGoneFailsToOpenWithTheSystemsReason) {
  const std::unique_ptr<HidBackend> backend = MakeSystemHidBackend();
  HidInterface gone;
  gone.path = "\\\\?\\hid#vid_04d9&pid_a0f4#nothing#{4d1e55b2-f16f-11cf-88cb-001111000030}";
  std::shared_ptr<HidDevice> device;
  const Status status = backend->Open(gone, OpenMode::Commands, device);
  EXPECT_FALSE(status.ok());
  EXPECT_NE(status.message().find("Cannot open " + gone.path + ": "), std::string::npos) << status.message();
  EXPECT_EQ(device, nullptr);
}

}  // namespace
}  // namespace korvane
