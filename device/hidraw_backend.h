#pragma once

#include <chrono>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "common/status.h"
#include "device/hid_backend.h"

namespace korvane {

// Where the hidraw nodes are described (sysfs) and where they live (/dev). Tests point both at a
// temporary tree.
struct HidrawRoots {
  std::filesystem::path sysfs = "/sys/class/hidraw";
  std::filesystem::path dev = "/dev";
};

// How long a new hidraw node is left alone before its arrival is announced: udev grants the user
// access to it only after the kernel created it.
inline constexpr std::chrono::milliseconds kHidrawSettleTime{500};

// The Linux backend: one HidInterface per top-level collection of every /dev/hidrawN (in node order,
// then descriptor order; the collections of one node share its path, device and interface number,
// which come from HID_PHYS), I/O through the hidraw ioctls and read/write, notices from a watcher on
// the /dev folder.
std::unique_ptr<HidBackend> MakeHidrawBackend(HidrawRoots roots = {},
                                              std::chrono::milliseconds settleTime = kHidrawSettleTime);

// "hidraw" followed by the node number.
bool IsHidrawNodeName(std::string_view name);

// Vendor and product from the HID_ID line of a sysfs uevent file ("HID_ID=0003:000004D9:0000A0F4").
std::optional<HidAttributes> ParseHidId(std::string_view uevent);

// Where a node sits, from the HID_PHYS line of a sysfs uevent file: "HID_PHYS=usb-0000:00:14.0-2/input1"
// is interface 1 of the device "usb-0000:00:14.0-2". A value without an "/inputN" ending (Bluetooth
// gives an address, uhid whatever its creator chose) or no line at all tells nothing: nullopt.
struct HidPhys {
  std::string device;
  unsigned interfaceNumber = 0;
  bool operator==(const HidPhys&) const = default;
};
std::optional<HidPhys> ParseHidPhys(std::string_view uevent);

// Opens a hidraw node. numberedReports tells whether the node's reports carry an ID byte; hidraw leaves
// it out of unnumbered input reports, and Read puts a 0 in its place. A permission failure says how to
// fix it.
Status OpenHidrawNode(const std::filesystem::path& node, bool forWriting, bool numberedReports,
                      std::shared_ptr<HidDevice>& device);

// The name an arrival or removal notice gives a hidraw node: "hidraw3#HID#VID_04D9&PID_A0F4", or just
// "hidraw3" when sysfs does not tell the identifiers.
std::string HidrawInterfaceName(const HidrawRoots& roots, const std::string& node);

}  // namespace korvane
