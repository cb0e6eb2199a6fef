#pragma once

#include <cerrno>
#include <chrono>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "common/small_types.h"
#include "common/status.h"
#include "device/protocol_constants.h"

namespace korvane {

struct HidAttributes {
  std::uint16_t vendorId = 0;
  std::uint16_t productId = 0;
};

// What one top-level collection declares. Report lengths count the report-ID byte (also when the
// device numbers no reports) and are 0 when the collection has no report of that kind.
struct HidCaps {
  std::uint16_t usagePage = 0;
  std::uint16_t usage = 0;
  std::uint16_t inputReportLength = 0;
  std::uint16_t outputReportLength = 0;
  std::uint16_t featureReportLength = 0;
  bool operator==(const HidCaps&) const = default;
};

// One HID interface (one top-level collection) as a backend lists it.
struct HidInterface {
  std::string path;     // what Open takes and what is shown to the user
  // nullopt: the interface could not be examined (identifiers, or the report descriptor) — the scan
  // treats both as failures, as it cannot tell whether this was the mouse.
  std::optional<HidAttributes> attributes;
  std::optional<HidCaps> caps;
  // Which physical device the interface belongs to and its interface number there, where the system
  // tells (Linux: HID_PHYS "usb-0000:00:14.0-2/input1" gives "usb-0000:00:14.0-2" and 1). The scan
  // pairs the mouse's interfaces by device and prefers lower interface numbers; the list's order
  // only decides between interfaces that tell nothing apart. Interfaces that do not tell have an
  // empty device and no number, and are told apart by their collections alone.
  std::string device;
  std::optional<unsigned> interfaceNumber;
};

// Why a read returned without a report.
inline constexpr int kReadTimedOut = ETIMEDOUT;
inline constexpr int kReadInterrupted = ECANCELED;

struct ReadResult {
  Status status;           // errorCode kReadTimedOut or kReadInterrupted for those two outcomes
  std::size_t length = 0;  // bytes placed in the buffer, report-ID byte included
};

// An open HID interface. Report buffers start with the report-ID byte (0 for unnumbered reports) on
// every backend. Any thread may call Interrupt; the other calls come from one thread at a time.
class HidDevice {
 public:
  virtual ~HidDevice() = default;
  virtual Status SetFeature(std::span<const Byte> report) = 0;
  virtual Status GetFeature(std::span<Byte> report) = 0;
  virtual Status Write(std::span<const Byte> report) = 0;
  // Waits for one input report; nullopt waits without a time-out (until a report, an error or
  // Interrupt).
  virtual ReadResult Read(std::span<Byte> report, std::optional<std::chrono::milliseconds> timeout) = 0;
  // Makes the pending Read, or the next one if none is pending, return kReadInterrupted at once.
  virtual void Interrupt() = 0;
};

enum class OpenMode {
  Commands,  // feature reports, writes and time-bounded reads on the calling thread
  Events,    // reads from the reader thread
};

// A device arrival or removal, as the system announces it. type and headerType carry the values
// that OnDeviceChange tests.
struct DeviceNotice {
  static constexpr unsigned kArrival = 0x8000;
  static constexpr unsigned kRemoveComplete = 0x8004;
  static constexpr unsigned kDeviceInterfaceHeader = 5;

  unsigned type = kArrival;
  unsigned headerType = kDeviceInterfaceHeader;
  // Names the interface; the mouse's carry "VID_04D9&PID_A0F4" as the system spells it.
  std::string interfaceName;
  bool operator==(const DeviceNotice&) const = default;
};

// Called from the hotplug watcher's own thread (hidraw) or from the thread that plugs the emulated
// mouse; callers hand the notice on to the thread that owns the DeviceLink without waiting for it to
// be handled there (that thread may be stopping the watch).
using NoticeCallback = std::function<void(const DeviceNotice&)>;

// Keeps delivering notices while it lives; destruction stops the delivery and returns only when no
// callback is running any more.
class DeviceWatch {
 public:
  virtual ~DeviceWatch() = default;
};

// Where HID interfaces come from: the system (Linux hidraw nodes, Windows HID class) or the emulated mouse.
class HidBackend {
 public:
  virtual ~HidBackend() = default;
  // All present interfaces, in a stable order (which the scan does not depend on). A failure here
  // fails the scan.
  virtual Status Enumerate(std::vector<HidInterface>& interfaces) = 0;
  virtual Status Open(const HidInterface& interface, OpenMode mode, std::shared_ptr<HidDevice>& device) = 0;
  // Starts following arrivals and removals.
  virtual Status WatchDevices(NoticeCallback callback, std::unique_ptr<DeviceWatch>& watch) = 0;
};

// The HID interfaces of this system: the hidraw nodes on Linux, SetupAPI and hid.dll on Windows.
std::unique_ptr<HidBackend> MakeSystemHidBackend();

}  // namespace korvane
