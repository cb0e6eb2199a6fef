#include "device/hidraw_backend.h"

#include <fcntl.h>
#include <linux/hidraw.h>
#include <poll.h>
#include <sys/eventfd.h>
#include <sys/ioctl.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <vector>

#include "common/file_io.h"
#include "device/hid_descriptor.h"
#include "device/hotplug_watcher.h"

namespace korvane {
namespace {

constexpr std::string_view kNodePrefix = "hidraw";

std::filesystem::path DescriptorPath(const HidrawRoots& roots, const std::string& node) {
  return roots.sysfs / node / "device" / "report_descriptor";
}

std::filesystem::path UeventPath(const HidrawRoots& roots, const std::string& node) {
  return roots.sysfs / node / "device" / "uevent";
}

std::optional<ParsedDescriptor> ReadDescriptor(const HidrawRoots& roots, const std::string& node) {
  std::optional<std::string> bytes = ReadWholeFile(DescriptorPath(roots, node));
  if (!bytes) return std::nullopt;
  return ParseReportDescriptor(
      std::span(reinterpret_cast<const Byte*>(bytes->data()), bytes->size()));
}

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// The value of the first line of a uevent file that starts with key ("HID_ID=").
std::optional<std::string_view> UeventValue(std::string_view uevent, std::string_view key) {
  std::size_t start = 0;
  while (start < uevent.size()) {
    std::size_t end = uevent.find('\n', start);
    if (end == std::string_view::npos) end = uevent.size();
    const std::string_view line = uevent.substr(start, end - start);
    start = end + 1;
    if (line.starts_with(key)) return line.substr(key.size());
  }
  return std::nullopt;
}

unsigned NodeNumber(std::string_view name) {
  unsigned number = 0;
  for (char c : name.substr(kNodePrefix.size())) number = number * 10 + static_cast<unsigned>(c - '0');
  return number;
}

class HidrawDevice : public HidDevice {
 public:
  HidrawDevice(int fd, int wakeFd, bool numberedReports, std::string node)
      : fd_(fd), wakeFd_(wakeFd), numberedReports_(numberedReports), node_(std::move(node)) {}
  ~HidrawDevice() override {
    ::close(fd_);
    ::close(wakeFd_);
  }

  Status SetFeature(std::span<const Byte> report) override {
    std::vector<Byte> buffer(report.begin(), report.end());
    if (::ioctl(fd_, HIDIOCSFEATURE(buffer.size()), buffer.data()) < 0) return Failed("Sending a feature report");
    return Status::Ok();
  }

  Status GetFeature(std::span<Byte> report) override {
    if (::ioctl(fd_, HIDIOCGFEATURE(report.size()), report.data()) < 0) return Failed("Reading a feature report");
    return Status::Ok();
  }

  Status Write(std::span<const Byte> report) override {
    const ssize_t written = ::write(fd_, report.data(), report.size());
    if (written < 0) return Failed("Writing an output report");
    if (static_cast<std::size_t>(written) != report.size()) {
      return Status::Failure("Writing an output report to " + node_ + ": only " + std::to_string(written) + " of " +
                             std::to_string(report.size()) + " bytes were taken.");
    }
    return Status::Ok();
  }

  ReadResult Read(std::span<Byte> report, std::optional<std::chrono::milliseconds> timeout) override {
    ReadResult result;
    if (report.empty()) return result;
    pollfd fds[2] = {{fd_, POLLIN, 0}, {wakeFd_, POLLIN, 0}};
    const int waitMs = timeout ? static_cast<int>(timeout->count()) : -1;
    int ready = 0;
    do {
      ready = ::poll(fds, 2, waitMs);
    } while (ready < 0 && errno == EINTR);
    if (ready < 0) {
      result.status = Failed("Waiting for an input report");
    } else if (fds[1].revents & POLLIN) {
      std::uint64_t count = 0;
      [[maybe_unused]] const ssize_t drained = ::read(wakeFd_, &count, sizeof count);
      result.status = Status::Failure("Read interrupted.", kReadInterrupted);
    } else if (ready == 0) {
      result.status = Status::Failure("No input report from " + node_ + ".", kReadTimedOut);
    } else if ((fds[0].revents & POLLIN) == 0) {
      result.status = Status::FromErrno("Reading " + node_, ENODEV);
    } else {
      // Unnumbered reports arrive without their ID byte: keep byte 0 for it, as on the other systems.
      const std::size_t skip = numberedReports_ ? 0 : 1;
      const ssize_t got = ::read(fd_, report.data() + skip, report.size() - skip);
      if (got < 0) {
        result.status = Failed("Reading an input report");
      } else {
        if (skip) report[0] = 0;
        result.length = static_cast<std::size_t>(got) + skip;
      }
    }
    return result;
  }

  void Interrupt() override {
    const std::uint64_t one = 1;
    [[maybe_unused]] const ssize_t written = ::write(wakeFd_, &one, sizeof one);
  }

 private:
  Status Failed(const std::string& what) const { return Status::FromErrno(what + " on " + node_, errno); }

  int fd_;
  int wakeFd_;
  bool numberedReports_;
  std::string node_;
};

class HidrawBackend : public HidBackend {
 public:
  HidrawBackend(HidrawRoots roots, std::chrono::milliseconds settleTime)
      : roots_(std::move(roots)), settleTime_(settleTime) {}

  Status Enumerate(std::vector<HidInterface>& interfaces) override {
    interfaces.clear();
    std::error_code error;
    std::vector<std::pair<unsigned, std::string>> nodes;
    for (const auto& entry : std::filesystem::directory_iterator(roots_.sysfs, error)) {
      const std::string name = entry.path().filename().string();
      if (IsHidrawNodeName(name)) nodes.emplace_back(NodeNumber(name), name);
    }
    if (error) {
      // No hidraw node has ever existed on this system, so there is no class folder.
      if (error == std::errc::no_such_file_or_directory) return Status::Ok();
      return Status::Failure("Cannot list " + roots_.sysfs.string() + ": " + error.message(), error.value());
    }
    std::sort(nodes.begin(), nodes.end());

    for (const auto& [number, node] : nodes) {
      std::optional<std::string> uevent = ReadWholeFile(UeventPath(roots_, node));
      // A node that went away while the list was read is simply no longer present.
      if (!uevent && !std::filesystem::exists(roots_.sysfs / node)) continue;
      HidInterface interface;
      interface.path = (roots_.dev / node).string();
      if (uevent) interface.attributes = ParseHidId(*uevent);
      if (std::optional<HidPhys> phys = uevent ? ParseHidPhys(*uevent) : std::nullopt) {
        interface.device = std::move(phys->device);
        interface.interfaceNumber = phys->interfaceNumber;
      }
      std::optional<ParsedDescriptor> descriptor = ReadDescriptor(roots_, node);
      if (!descriptor || descriptor->collections.empty()) {
        interfaces.push_back(interface);
        continue;
      }
      for (const HidCaps& caps : descriptor->collections) {
        interface.caps = caps;
        interfaces.push_back(interface);
      }
    }
    return Status::Ok();
  }

  Status Open(const HidInterface& interface, OpenMode mode, std::shared_ptr<HidDevice>& device) override {
    const std::filesystem::path node = interface.path;
    std::optional<ParsedDescriptor> descriptor = ReadDescriptor(roots_, node.filename().string());
    if (!descriptor) return Status::Failure("Cannot read the report descriptor of " + interface.path + ".");
    return OpenHidrawNode(node, mode == OpenMode::Commands, descriptor->numberedReports, device);
  }

  Status WatchDevices(NoticeCallback callback, std::unique_ptr<DeviceWatch>& watch) override {
    return StartHotplugWatcher(roots_, std::move(callback), settleTime_, watch);
  }

 private:
  HidrawRoots roots_;
  std::chrono::milliseconds settleTime_;
};

}  // namespace

std::unique_ptr<HidBackend> MakeHidrawBackend(HidrawRoots roots, std::chrono::milliseconds settleTime) {
  return std::make_unique<HidrawBackend>(std::move(roots), settleTime);
}

std::unique_ptr<HidBackend> MakeSystemHidBackend() { return MakeHidrawBackend(); }

bool IsHidrawNodeName(std::string_view name) {
  if (!name.starts_with(kNodePrefix) || name.size() == kNodePrefix.size() || name.size() > kNodePrefix.size() + 6) {
    return false;
  }
  return std::all_of(name.begin() + kNodePrefix.size(), name.end(), IsDigit);
}

std::optional<HidAttributes> ParseHidId(std::string_view uevent) {
  const std::optional<std::string_view> line = UeventValue(uevent, "HID_ID=");
  if (!line) return std::nullopt;
  unsigned bus = 0, vendor = 0, product = 0;
  const std::string value(*line);
  if (std::sscanf(value.c_str(), "%x:%x:%x", &bus, &vendor, &product) != 3 || vendor > 0xFFFF ||
      product > 0xFFFF) {
    return std::nullopt;
  }
  return HidAttributes{static_cast<std::uint16_t>(vendor), static_cast<std::uint16_t>(product)};
}

std::optional<HidPhys> ParseHidPhys(std::string_view uevent) {
  constexpr std::string_view kInput = "/input";
  const std::optional<std::string_view> value = UeventValue(uevent, "HID_PHYS=");
  if (!value) return std::nullopt;
  const std::size_t at = value->rfind(kInput);
  if (at == std::string_view::npos) return std::nullopt;
  const std::string_view digits = value->substr(at + kInput.size());
  if (digits.empty() || digits.size() > 3 || !std::all_of(digits.begin(), digits.end(), IsDigit)) {
    return std::nullopt;
  }
  HidPhys phys{std::string(value->substr(0, at))};
  for (char c : digits) phys.interfaceNumber = phys.interfaceNumber * 10 + static_cast<unsigned>(c - '0');
  return phys;
}

Status OpenHidrawNode(const std::filesystem::path& node, bool forWriting, bool numberedReports,
                      std::shared_ptr<HidDevice>& device) {
  const int fd = ::open(node.c_str(), (forWriting ? O_RDWR : O_RDONLY) | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) {
    const int error = errno;
    Status status = Status::FromErrno("Cannot open " + node.string(), error);
    if (error == EACCES || error == EPERM) {
      return Status::Failure(status.message() +
                                 ". The udev rule that gives you access to the mouse is missing: install "
                                 "packaging/udev/70-korvane.rules into /etc/udev/rules.d/ and plug the mouse in "
                                 "again.",
                             error);
    }
    return status;
  }
  const int wakeFd = ::eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK);
  if (wakeFd < 0) {
    const int error = errno;
    ::close(fd);
    return Status::FromErrno("Cannot create an event descriptor", error);
  }
  device = std::make_shared<HidrawDevice>(fd, wakeFd, numberedReports, node.string());
  return Status::Ok();
}

std::string HidrawInterfaceName(const HidrawRoots& roots, const std::string& node) {
  std::optional<std::string> uevent = ReadWholeFile(UeventPath(roots, node));
  std::optional<HidAttributes> ids = uevent ? ParseHidId(*uevent) : std::nullopt;
  if (!ids) return node;
  char name[64];
  std::snprintf(name, sizeof name, "%s#HID#VID_%04X&PID_%04X", node.c_str(), unsigned{ids->vendorId},
                unsigned{ids->productId});
  return name;
}

}  // namespace korvane
