#include "device/device_link.h"

#include <algorithm>
#include <map>
#include <vector>

namespace korvane {
namespace {

Status NotConnected() { return Status::Failure("The mouse is not connected."); }

bool NamesTheMouse(const std::string& interfaceName) {
  // The two spellings the system uses; a name in lower case only is not the mouse's.
  return interfaceName.find("Vid_04d9&Pid_a0f4") != std::string::npos ||
         interfaceName.find("VID_04D9&PID_A0F4") != std::string::npos;
}

// The smallest buffer that holds the type and value of an event report.
constexpr std::size_t kEventReportMinimum = 4;

}  // namespace

Status DeviceLink::CommandTransport::SetFeature(std::span<const Byte> report) {
  return link_.commandHandle_ ? link_.commandHandle_->SetFeature(report) : NotConnected();
}

Status DeviceLink::CommandTransport::GetFeature(std::span<Byte> report) {
  return link_.commandHandle_ ? link_.commandHandle_->GetFeature(report) : NotConnected();
}

Status DeviceLink::CommandTransport::WriteOutput(std::span<const Byte> report) {
  return link_.commandHandle_ ? link_.commandHandle_->Write(report) : NotConnected();
}

Status DeviceLink::CommandTransport::ReadInput(std::span<Byte> report) {
  if (!link_.commandHandle_) return NotConnected();
  ReadResult result = link_.commandHandle_->Read(report, kCommandReadTimeout);
  if (result.status.errorCode() == kReadTimedOut) {
    return Status::Failure("The mouse did not answer within " + std::to_string(kCommandReadTimeout.count()) +
                               " ms.",
                           kReadTimedOut);
  }
  return result.status;
}

void DeviceLink::ReaderSignal::Set() {
  {
    std::lock_guard lock(mutex_);
    set_ = true;
  }
  changed_.notify_all();
}

void DeviceLink::ReaderSignal::Reset() {
  std::lock_guard lock(mutex_);
  set_ = false;
}

void DeviceLink::ReaderSignal::Wait() {
  std::unique_lock lock(mutex_);
  changed_.wait(lock, [this] { return set_; });
}

DeviceLink::DeviceLink(HidBackend& backend, SleepFunction sleep) : backend_(backend), sleep_(std::move(sleep)) {}

DeviceLink::~DeviceLink() {
  StopWatching();
  StopReader();
}

bool DeviceLink::FailScan(Status status) {
  connected_ = false;
  scanStatus_ = std::move(status);
  return false;
}

void DeviceLink::ReplaceReaderHandle(std::shared_ptr<HidDevice> handle, std::uint16_t reportLength,
                                     std::string path) {
  readerPath_ = std::move(path);
  std::shared_ptr<HidDevice> old;
  {
    std::unique_lock lock(readerMutex_);
    old = std::exchange(readerHandle_, std::move(handle));
    readerReportLength_ = reportLength;
    if (!old) return;
    // A reader blocked on the old interface moves on to the new one. Waiting for it to let go makes
    // `old` the last owner, so the interface is closed on return: hidraw keeps a removed node's
    // number taken while it is open.
    old->Interrupt();
    readerLetGo_.wait(lock, [&] { return reading_ != old.get(); });
  }
}

namespace {

// The mouse's two collections on one physical device, as the scan found them.
struct MouseDevice {
  const HidInterface* events = nullptr;
  const HidInterface* commands = nullptr;
};

// Keeps the candidate with the lower interface number; of equals (collections of one node, or
// interfaces that tell no number), the one listed first.
void Offer(const HidInterface*& slot, const HidInterface& candidate) {
  if (!slot || candidate.interfaceNumber < slot->interfaceNumber) slot = &candidate;
}

}  // namespace

bool IsEventInterface(const HidCaps& caps) {
  return caps.usagePage == EVENT_USAGE_PAGE && caps.usage == EVENT_USAGE && caps.inputReportLength != 0;
}

bool IsCommandInterface(const HidCaps& caps) {
  return caps.usagePage == COMMAND_USAGE_PAGE && caps.usage == COMMAND_USAGE &&
         caps.featureReportLength == kFeatureReportSize;
}

bool IsMouse(const HidAttributes& attributes) {
  return attributes.vendorId == MOUSE_VENDOR_ID && attributes.productId == MOUSE_PRODUCT_ID;
}

bool DeviceLink::FindAndOpenMouse() {
  commandHandle_.reset();
  connected_ = false;

  std::vector<HidInterface> interfaces;
  if (Status status = backend_.Enumerate(interfaces); !status.ok()) return FailScan(status);

  const bool readerNodePresent = std::any_of(interfaces.begin(), interfaces.end(), [&](const HidInterface& i) {
    return i.path == readerPath_;
  });
  if (!readerNodePresent) ReplaceReaderHandle(nullptr, 0, {});

  // All of the list first: the node numbers, and with them the order of the list, are whatever was
  // free when each interface bound.
  std::map<std::string, MouseDevice> devices;
  for (const HidInterface& interface : interfaces) {
    devicePath_ = interface.path;
    if (!interface.attributes) {
      return FailScan(Status::Failure("Cannot examine the HID device " + interface.path + "."));
    }
    if (!IsMouse(*interface.attributes)) continue;
    if (!interface.caps) {
      return FailScan(Status::Failure("Cannot read the report descriptor of " + interface.path + "."));
    }
    if (IsEventInterface(*interface.caps)) {
      Offer(devices[interface.device].events, interface);
    } else if (IsCommandInterface(*interface.caps)) {
      Offer(devices[interface.device].commands, interface);
    }
  }
  const auto mouse = std::find_if(devices.begin(), devices.end(),
                                  [](const auto& device) { return device.second.commands != nullptr; });
  if (mouse == devices.end()) return FailScan(Status::Failure("The mouse is not plugged in."));

  if (const HidInterface* events = mouse->second.events) {
    devicePath_ = events->path;
    std::shared_ptr<HidDevice> handle;
    if (Status status = backend_.Open(*events, OpenMode::Events, handle); !status.ok()) return FailScan(status);
    ReplaceReaderHandle(std::move(handle), events->caps->inputReportLength, events->path);
  } else {
    // An event interface of another device, or of a node that is no more, would be the wrong one.
    ReplaceReaderHandle(nullptr, 0, {});
  }

  const HidInterface& commands = *mouse->second.commands;
  devicePath_ = commands.path;
  std::shared_ptr<HidDevice> handle;
  if (Status status = backend_.Open(commands, OpenMode::Commands, handle); !status.ok()) return FailScan(status);
  commandHandle_ = std::move(handle);
  inputReportLength_ = commands.caps->inputReportLength;
  connected_ = true;
  scanStatus_ = Status::Ok();
  // Only now: a reader woken by the signal must find the new connection.
  readerEvent_.Set();
  return true;
}

Status DeviceLink::Handshake(MouseConfig& config) {
  mirror_.Clear();
  Status status = protocol_.ReadActiveProfile();
  config.profileSlot = mirror_.activeProfile;
  mirror_.attachByte = ATTACH_BYTE;
  Status attach = protocol_.SendAttach();
  return status.ok() ? attach : status;
}

bool DeviceLink::Connect(MouseConfig& config) {
  if (!FindAndOpenMouse()) return false;
  Handshake(config);
  return true;
}

DeviceChange DeviceLink::OnDeviceChange(const DeviceNotice& notice) {
  if (notice.headerType != DeviceNotice::kDeviceInterfaceHeader || !NamesTheMouse(notice.interfaceName)) {
    return DeviceChange::Ignored;
  }
  if (notice.type == DeviceNotice::kArrival) {
    return FindAndOpenMouse() ? DeviceChange::MouseFound : DeviceChange::MouseLost;
  }
  if (notice.type == DeviceNotice::kRemoveComplete) {
    return FindAndOpenMouse() ? DeviceChange::StillConnected : DeviceChange::MouseLost;
  }
  return DeviceChange::Ignored;
}

void DeviceLink::Close() {
  connected_ = false;
  commandHandle_.reset();
  ReplaceReaderHandle(nullptr, 0, {});
}

Status DeviceLink::ReadStageSettings() {
  Status status = protocol_.ReadActiveProfile();
  Status settings = protocol_.TransferSettingsPage(false);
  return status.ok() ? settings : status;
}

void DeviceLink::SetTrace(TracingTransport::Callback callback) {
  if (callback) {
    tracing_.emplace(commandTransport_, std::move(callback));
    protocol_.setTransport(*tracing_);
  } else {
    protocol_.setTransport(commandTransport_);
    tracing_.reset();
  }
}

void DeviceLink::StartReader(EventCallback callback) {
  if (reader_.joinable()) return;
  onEvent_ = std::move(callback);
  stopReader_ = false;
  reader_ = std::thread([this] { ReaderLoop(); });
}

void DeviceLink::StopReader() {
  if (!reader_.joinable()) return;
  stopReader_ = true;
  readerEvent_.Set();
  {
    std::lock_guard lock(readerMutex_);
    if (readerHandle_) readerHandle_->Interrupt();
  }
  reader_.join();
}

void DeviceLink::ReaderLoop() {
  std::vector<Byte> report;
  // A dead interface fails every read at once: after an error the reader waits for another one. Not
  // an owner: the scan closes an interface whose node went away.
  std::weak_ptr<HidDevice> failed;
  while (true) {
    readerEvent_.Reset();
    if (stopReader_) return;
    std::shared_ptr<HidDevice> handle;
    std::size_t length = 0;
    {
      std::lock_guard lock(readerMutex_);
      if (connected_ && readerHandle_ && readerHandle_ != failed.lock()) {
        handle = readerHandle_;
        length = readerReportLength_;
        reading_ = handle.get();
      }
    }
    if (!handle) {
      readerEvent_.Wait();
      continue;
    }
    report.assign(std::max(length, kEventReportMinimum), 0);
    const ReadResult result = handle->Read(std::span(report).first(length), std::nullopt);
    if (!result.status.ok() && result.status.errorCode() != kReadInterrupted) failed = handle;
    // Let go before the callback, which waits for the owner's thread.
    handle.reset();
    {
      std::lock_guard lock(readerMutex_);
      reading_ = nullptr;
    }
    readerLetGo_.notify_all();
    if (stopReader_) return;
    if (!connected_ || !result.status.ok()) continue;
    if (result.length >= 1 && report[0] == EVENT_REPORT_ID && report[1] == EVENT_REPORT_MARK) {
      onEvent_(DeviceEvent{report[2], report[3]});
    }
  }
}

Status DeviceLink::WatchDevices(NoticeCallback callback) {
  watch_.reset();
  return backend_.WatchDevices(std::move(callback), watch_);
}

}  // namespace korvane
