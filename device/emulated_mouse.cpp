#include "device/emulated_mouse.h"

#include <algorithm>
#include <array>
#include <cstring>

#include "common/file_io.h"
#include "common/path_text.h"
#include "config/settings_page.h"
#include "device/device_link.h"
#include "device/hid_descriptor.h"

namespace korvane {
namespace {

// A boot-protocol mouse: three buttons, X, Y and wheel.
constexpr Byte kPointerDescriptor[] = {
    0x05, 0x01, 0x09, 0x02, 0xA1, 0x01, 0x09, 0x01, 0xA1, 0x00, 0x05, 0x09, 0x19, 0x01, 0x29,
    0x03, 0x15, 0x00, 0x25, 0x01, 0x95, 0x03, 0x75, 0x01, 0x81, 0x02, 0x95, 0x01, 0x75, 0x05,
    0x81, 0x03, 0x05, 0x01, 0x09, 0x30, 0x09, 0x31, 0x09, 0x38, 0x15, 0x81, 0x25, 0x7F, 0x75,
    0x08, 0x95, 0x03, 0x81, 0x06, 0xC0, 0xC0};

// Vendor page FF01, usage 1: input report 6 with seven bytes after the ID.
constexpr Byte kEventDescriptor[] = {
    0x06, 0x01, 0xFF, 0x09, 0x01, 0xA1, 0x01, 0x85, 0x06, 0x15, 0x00,
    0x26, 0xFF, 0x00, 0x75, 0x08, 0x95, 0x07, 0x09, 0x01, 0x81, 0x02, 0xC0};

// Vendor page FF00, usage FF00, unnumbered: 64-byte input and output reports, 8-byte feature report.
constexpr Byte kCommandDescriptor[] = {
    0x06, 0x00, 0xFF, 0x0A, 0x00, 0xFF, 0xA1, 0x01, 0x15, 0x00, 0x26, 0xFF, 0x00, 0x75, 0x08, 0x95,
    0x40, 0x09, 0x01, 0x81, 0x02, 0x95, 0x40, 0x09, 0x02, 0x91, 0x02, 0x95, 0x08, 0x09, 0x03, 0xB1, 0x02, 0xC0};

Status Removed() { return Status::FromErrno("The mouse was unplugged", ENODEV); }

constexpr std::string_view kMemoryTag = "KORVANE-EMULATED-MOUSE-1";
constexpr std::size_t kMemoryHeaderSize = kMemoryTag.size() + 4;
constexpr std::size_t kMemoryFileSize = kMemoryHeaderSize + (2 + kMacroCount) * kPageSize;
constexpr int kStageCount = 4;

}  // namespace

class EmulatedMouse::Device : public HidDevice {
 public:
  Device(EmulatedMouse& mouse, Role role, unsigned generation) : mouse_(mouse), role_(role), generation_(generation) {}

  Status SetFeature(std::span<const Byte> report) override {
    std::lock_guard lock(mouse_.mutex_);
    if (!Alive()) return Removed();
    if (role_ == Role::Commands) mouse_.HandleFeature(report);
    return Status::Ok();
  }

  Status GetFeature(std::span<Byte> report) override {
    std::lock_guard lock(mouse_.mutex_);
    if (!Alive()) return Removed();
    if (role_ == Role::Commands && mouse_.answer_) {
      std::copy_n(mouse_.answer_->begin(), std::min(report.size(), mouse_.answer_->size()), report.begin());
      mouse_.answer_.reset();
    }
    return Status::Ok();
  }

  Status Write(std::span<const Byte> report) override {
    std::lock_guard lock(mouse_.mutex_);
    if (!Alive()) return Removed();
    if (role_ == Role::Commands) mouse_.HandleWrite(report);
    return Status::Ok();
  }

  ReadResult Read(std::span<Byte> report, std::optional<std::chrono::milliseconds> timeout) override {
    std::unique_lock lock(mouse_.mutex_);
    if (role_ == Role::Pointer) return ReadResult{Status::Failure("No input report.", kReadTimedOut)};
    auto& queue = role_ == Role::Commands ? mouse_.commandInput_ : mouse_.eventInput_;
    auto ready = [&] { return interrupted_ || !Alive() || !queue.empty(); };
    if (role_ == Role::Events) {
      if (timeout) {
        mouse_.eventQueued_.wait_for(lock, *timeout, ready);
      } else {
        mouse_.eventQueued_.wait(lock, ready);
      }
    }
    ReadResult result;
    if (std::exchange(interrupted_, false)) {
      result.status = Status::Failure("Read interrupted.", kReadInterrupted);
    } else if (!Alive()) {
      result.status = Removed();
    } else if (queue.empty()) {
      result.status = Status::Failure("No input report.", kReadTimedOut);
    } else {
      const std::vector<Byte>& next = queue.front();
      result.length = std::min(report.size(), next.size());
      std::copy_n(next.begin(), result.length, report.begin());
      queue.pop_front();
    }
    return result;
  }

  void Interrupt() override {
    {
      std::lock_guard lock(mouse_.mutex_);
      interrupted_ = true;
    }
    mouse_.eventQueued_.notify_all();
  }

 private:
  bool Alive() const { return mouse_.plugged_ && mouse_.generation_ == generation_; }

  EmulatedMouse& mouse_;
  Role role_;
  unsigned generation_;
  bool interrupted_ = false;  // guarded by mouse_.mutex_
};

struct EmulatedMouse::Watcher : DeviceWatch {
  Watcher(EmulatedMouse& mouse, int id) : mouse(mouse), id(id) {}
  ~Watcher() override {
    std::lock_guard lock(mouse.watchersMutex_);
    mouse.watchers_.erase(id);
  }
  EmulatedMouse& mouse;
  int id;
};

class EmulatedMouse::Backend : public HidBackend {
 public:
  explicit Backend(EmulatedMouse& mouse) : mouse_(mouse) {}

  Status Enumerate(std::vector<HidInterface>& interfaces) override {
    interfaces.clear();
    if (!mouse_.pluggedIn()) return Status::Ok();
    const std::pair<const char*, std::span<const Byte>> collections[] = {
        {kPointerPath, PointerDescriptor()}, {kEventPath, EventDescriptor()}, {kCommandPath, CommandDescriptor()}};
    unsigned number = 0;
    for (const auto& [path, descriptor] : collections) {
      HidInterface interface;
      interface.path = path;
      interface.attributes = HidAttributes{MOUSE_VENDOR_ID, MOUSE_PRODUCT_ID};
      interface.caps = ParseReportDescriptor(descriptor)->collections.front();
      interface.device = "emulated";
      interface.interfaceNumber = number++;
      interfaces.push_back(std::move(interface));
    }
    return Status::Ok();
  }

  Status Open(const HidInterface& interface, OpenMode, std::shared_ptr<HidDevice>& device) override {
    std::lock_guard lock(mouse_.mutex_);
    if (!mouse_.plugged_) return Removed();
    const Role role = interface.path == kCommandPath ? Role::Commands
                      : interface.path == kEventPath ? Role::Events
                                                     : Role::Pointer;
    device = std::make_shared<Device>(mouse_, role, mouse_.generation_);
    return Status::Ok();
  }

  Status WatchDevices(NoticeCallback callback, std::unique_ptr<DeviceWatch>& watch) override {
    std::lock_guard lock(mouse_.watchersMutex_);
    const int id = mouse_.nextWatcher_++;
    mouse_.watchers_.emplace(id, std::move(callback));
    watch = std::make_unique<Watcher>(mouse_, id);
    return Status::Ok();
  }

 private:
  EmulatedMouse& mouse_;
};

EmulatedMouse::EmulatedMouse() : backend_(std::make_unique<Backend>(*this)) { ResetToFactory(); }

void EmulatedMouse::ResetToFactory() {
  memory_ = DeviceMirror();
  memory_.settingsPage = SETTINGS_TEMPLATE;
  stage_ = 1;
}

std::string EmulatedMouse::MemoryImage() const {
  std::lock_guard lock(mutex_);
  return MemoryImageLocked();
}

std::string EmulatedMouse::MemoryImageLocked() const {
  std::string image(kMemoryTag);
  image += char(memory_.activeProfile);
  image += char(memory_.attachByte);
  image += char(memory_.reportRateByte);
  image += char(stage_);
  const auto add = [&](const DevicePage& page) { image.append(page.begin(), page.end()); };
  add(memory_.settingsPage);
  add(memory_.keyPage);
  for (const DevicePage& page : memory_.macroPages) add(page);
  return image;
}

Status EmulatedMouse::KeepMemoryIn(std::filesystem::path file) {
  std::lock_guard lock(mutex_);
  memoryFile_ = std::move(file);
  memoryFileStatus_ = Status::Ok();
  memoryWritten_.clear();
  std::error_code error;
  if (!std::filesystem::exists(memoryFile_, error)) return Status::Ok();
  std::optional<std::string> image = std::string();
  if (const Status read = ReadRegularFile(memoryFile_, *image, kMemoryFileSize + 1); !read) {
    // A folder or a FIFO in its place is not a damaged memory: say what it is.
    if (!std::filesystem::is_regular_file(memoryFile_, error)) {
      ResetToFactory();
      return Status::Failure(read.message() + "; the emulated mouse starts from its factory pages");
    }
    image.reset();
  }
  const bool intact = image && image->size() == kMemoryFileSize && image->starts_with(kMemoryTag) &&
                      Byte((*image)[kMemoryTag.size() + 3]) >= 1 &&
                      Byte((*image)[kMemoryTag.size() + 3]) <= kStageCount;
  if (!intact) {
    ResetToFactory();
    return Status::Failure(PathToUtf8(memoryFile_) + " is damaged; the emulated mouse starts from its factory pages");
  }
  const auto byte = [&](std::size_t at) { return Byte((*image)[at]); };
  memory_.activeProfile = byte(kMemoryTag.size());
  memory_.attachByte = byte(kMemoryTag.size() + 1);
  memory_.reportRateByte = byte(kMemoryTag.size() + 2);
  stage_ = byte(kMemoryTag.size() + 3);
  std::size_t at = kMemoryHeaderSize;
  const auto take = [&](DevicePage& page) {
    for (Byte& b : page) b = byte(at++);
  };
  take(memory_.settingsPage);
  take(memory_.keyPage);
  for (DevicePage& page : memory_.macroPages) take(page);
  memoryWritten_ = *image;
  return Status::Ok();
}

Status EmulatedMouse::memoryFileStatus() const {
  std::lock_guard lock(mutex_);
  return memoryFileStatus_;
}

void EmulatedMouse::WriteMemoryFile() {
  if (memoryFile_.empty()) return;
  std::string image = MemoryImageLocked();
  if (image == memoryWritten_) return;
  const Status written = WriteFileReplacing(memoryFile_, image);
  if (written) {
    memoryWritten_ = std::move(image);
  } else if (memoryFileStatus_) {
    memoryFileStatus_ = written;
  }
}

EmulatedMouse::~EmulatedMouse() = default;

HidBackend& EmulatedMouse::backend() { return *backend_; }

std::span<const Byte> EmulatedMouse::PointerDescriptor() { return kPointerDescriptor; }
std::span<const Byte> EmulatedMouse::EventDescriptor() { return kEventDescriptor; }
std::span<const Byte> EmulatedMouse::CommandDescriptor() { return kCommandDescriptor; }

DeviceMirror EmulatedMouse::memory() const {
  std::lock_guard lock(mutex_);
  return memory_;
}

void EmulatedMouse::SetActiveProfile(Byte profile) {
  std::lock_guard lock(mutex_);
  memory_.activeProfile = profile;
  WriteMemoryFile();
}

int EmulatedMouse::stage() const {
  std::lock_guard lock(mutex_);
  return stage_;
}

std::size_t EmulatedMouse::ignoredFrames() const {
  std::lock_guard lock(mutex_);
  return ignoredFrames_;
}

bool EmulatedMouse::pluggedIn() const {
  std::lock_guard lock(mutex_);
  return plugged_;
}

void EmulatedMouse::HandleFeature(std::span<const Byte> report) {
  answer_.reset();
  blockTarget_ = nullptr;
  unsigned sum = 0;
  for (std::size_t i = 1; i < report.size(); ++i) sum += report[i];
  if (report.size() != kFeatureReportSize || report[0] != 0 || (sum & 0xFF) != 0xFF) {
    ++ignoredFrames_;
    return;
  }
  const Byte code = report[1], param1 = report[2], param2 = report[3];
  auto expectBlock = [&](DevicePage& target) {
    blockTarget_ = &target;
    blockStaging_.fill(0);
    blockChunks_ = (std::min<std::size_t>(param2, kPageSize) + kChunkSize - 1) / kChunkSize;
    blockReceived_ = 0;
    // A block of length 0 takes no chunk: output reports after it are not page data.
    if (blockChunks_ == 0) blockTarget_ = nullptr;
  };
  switch (code) {
    case CMD_ATTACH: memory_.attachByte = param1; break;
    case CMD_UPLOAD_BEGIN: break;
    case CMD_SET_REPORT_RATE:
      memory_.activeProfile = param1;
      memory_.reportRateByte = param2;
      break;
    case CMD_WRITE_SETTINGS: expectBlock(memory_.settingsPage); break;
    case CMD_WRITE_KEYS: expectBlock(memory_.keyPage); break;
    case CMD_WRITE_MACRO:
      if (param1 >= 1 && param1 <= kMacroCount) {
        expectBlock(memory_.macroPages[param1 - 1]);
      } else {
        ++ignoredFrames_;
      }
      break;
    case CMD_READ_PROFILE: answer_ = BuildFeatureReport(MakeCommand(CMD_READ_PROFILE, memory_.activeProfile)); break;
    case CMD_READ_SETTINGS:
      answer_ = BuildFeatureReport(MakeCommand(CMD_READ_SETTINGS, 0, PAGE_LENGTH_BYTE));
      commandInput_.clear();
      for (std::size_t offset = 0; offset < kPageSize; offset += kChunkSize) {
        std::vector<Byte> input(kOutputReportSize, 0);
        std::copy_n(memory_.settingsPage.begin() + offset, kChunkSize, input.begin() + 1);
        commandInput_.push_back(std::move(input));
      }
      break;
    default: ++ignoredFrames_; break;
  }
  WriteMemoryFile();
}

void EmulatedMouse::HandleWrite(std::span<const Byte> report) {
  if (!blockTarget_ || report.size() != kOutputReportSize || report[0] != 0) {
    ++ignoredFrames_;
    return;
  }
  std::copy_n(report.begin() + 1, kChunkSize, blockStaging_.begin() + kChunkSize * blockReceived_);
  if (++blockReceived_ == blockChunks_) {
    *blockTarget_ = blockStaging_;
    blockTarget_ = nullptr;
    WriteMemoryFile();
  }
}

void EmulatedMouse::SendEvent(Byte type, Byte value) {
  {
    std::lock_guard lock(mutex_);
    if (!plugged_) return;
    std::vector<Byte> report(kEventReportLength, 0);
    report[0] = EVENT_REPORT_ID;
    report[1] = EVENT_REPORT_MARK;
    report[2] = type;
    report[3] = value;
    eventInput_.push_back(std::move(report));
  }
  eventQueued_.notify_all();
}

void EmulatedMouse::PressCpiButton() {
  Byte stage = 0;
  {
    std::lock_guard lock(mutex_);
    if (!plugged_) return;
    stage_ = stage_ % kStageCount + 1;
    stage = static_cast<Byte>(stage_);
    WriteMemoryFile();
  }
  SendEvent(EVENT_STAGE_FIRST, stage);
}

void EmulatedMouse::SwitchMacro(Byte macro) { SendEvent(EVENT_MACRO_SWITCH, macro); }

const char* EmulatedMouse::InterfaceName(Role role) {
  switch (role) {
    case Role::Pointer: return "emulated#HID#VID_04D9&PID_A0F4&MI_00";
    case Role::Events: return "emulated#HID#VID_04D9&PID_A0F4&MI_01&Col01";
    case Role::Commands: return "emulated#HID#VID_04D9&PID_A0F4&MI_01&Col02";
  }
  return "";
}

void EmulatedMouse::Announce(unsigned type) {
  std::lock_guard lock(watchersMutex_);
  // Copies: a callback may stop its own watch.
  const auto watchers = watchers_;
  for (Role role : {Role::Pointer, Role::Events, Role::Commands}) {
    const DeviceNotice notice{type, DeviceNotice::kDeviceInterfaceHeader, InterfaceName(role)};
    for (const auto& [id, callback] : watchers) callback(notice);
  }
}

void EmulatedMouse::Unplug() {
  {
    std::lock_guard lock(mutex_);
    if (!plugged_) return;
    plugged_ = false;
    answer_.reset();
    blockTarget_ = nullptr;
    commandInput_.clear();
    eventInput_.clear();
  }
  eventQueued_.notify_all();
  Announce(DeviceNotice::kRemoveComplete);
}

void EmulatedMouse::Plug() {
  {
    std::lock_guard lock(mutex_);
    if (plugged_) return;
    plugged_ = true;
    ++generation_;
  }
  Announce(DeviceNotice::kArrival);
}

}  // namespace korvane
