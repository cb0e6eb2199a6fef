// The Windows backend: SetupAPI lists the HID interfaces, hid.dll tells their identifiers and
// collections and carries the feature reports, overlapped ReadFile / WriteFile carry the input and
// output reports, and a message-only window receives the system's device-change notices.
#include "device/hid_backend.h"

#define WIN32_LEAN_AND_MEAN
#include <windows.h>
// clang-format off
#include <setupapi.h>
#include <dbt.h>
// clang-format on
extern "C" {
#include <hidsdi.h>  // brings hidusage.h and hidpi.h, in the order they need
}

#include <algorithm>
#include <future>
#include <thread>
#include <vector>

#include "common/windows_system.h"

namespace korvane {
namespace {

// An output report that the system has not taken within this long means the mouse is gone.
constexpr DWORD kWriteTimeoutMs = 1000;

class Handle {
 public:
  explicit Handle(HANDLE handle = INVALID_HANDLE_VALUE) : handle_(handle) {}
  ~Handle() {
    if (valid()) ::CloseHandle(handle_);
  }
  Handle(const Handle&) = delete;
  Handle& operator=(const Handle&) = delete;
  bool valid() const { return handle_ != INVALID_HANDLE_VALUE && handle_ != nullptr; }
  HANDLE get() const { return handle_; }

 private:
  HANDLE handle_;
};

GUID HidClassGuid() {
  GUID guid;
  ::HidD_GetHidGuid(&guid);
  return guid;
}

// What HidP_GetCaps tells of an interface opened for query.
std::optional<HidCaps> CapsOf(HANDLE device) {
  PHIDP_PREPARSED_DATA preparsed = nullptr;
  if (!::HidD_GetPreparsedData(device, &preparsed)) return std::nullopt;
  HIDP_CAPS caps{};
  const NTSTATUS status = ::HidP_GetCaps(preparsed, &caps);
  ::HidD_FreePreparsedData(preparsed);
  if (status != HIDP_STATUS_SUCCESS) return std::nullopt;
  return HidCaps{caps.UsagePage, caps.Usage, caps.InputReportByteLength, caps.OutputReportByteLength,
                 caps.FeatureReportByteLength};
}

class WindowsHidDevice : public HidDevice {
 public:
  WindowsHidDevice(HANDLE file, std::string path, std::size_t inputLength)
      : file_(file),
        ioEvent_(::CreateEventW(nullptr, TRUE, FALSE, nullptr)),
        // Auto-reset, so that an interruption with no read pending is kept for the next read.
        interruptEvent_(::CreateEventW(nullptr, FALSE, FALSE, nullptr)),
        path_(std::move(path)),
        inputLength_(inputLength) {}

  bool ready() const { return ioEvent_.valid() && interruptEvent_.valid(); }

  Status SetFeature(std::span<const Byte> report) override {
    std::vector<Byte> buffer(report.begin(), report.end());
    if (!::HidD_SetFeature(file_.get(), buffer.data(), static_cast<ULONG>(buffer.size()))) {
      return Failed("Sending a feature report");
    }
    return Status::Ok();
  }

  Status GetFeature(std::span<Byte> report) override {
    if (!::HidD_GetFeature(file_.get(), report.data(), static_cast<ULONG>(report.size()))) {
      return Failed("Reading a feature report");
    }
    return Status::Ok();
  }

  Status Write(std::span<const Byte> report) override {
    OVERLAPPED overlapped = StartIo();
    DWORD written = 0;
    if (!::WriteFile(file_.get(), report.data(), static_cast<DWORD>(report.size()), nullptr, &overlapped) &&
        ::GetLastError() != ERROR_IO_PENDING) {
      return Failed("Writing an output report");
    }
    if (::WaitForSingleObject(ioEvent_.get(), kWriteTimeoutMs) != WAIT_OBJECT_0) {
      Cancel(overlapped);
      return Status::Failure("Writing an output report to " + path_ + ": the system did not take it.",
                             ERROR_TIMEOUT);
    }
    if (!::GetOverlappedResult(file_.get(), &overlapped, &written, FALSE)) return Failed("Writing an output report");
    if (written != report.size()) {
      return Status::Failure("Writing an output report to " + path_ + ": only " + std::to_string(written) + " of " +
                             std::to_string(report.size()) + " bytes were taken.");
    }
    return Status::Ok();
  }

  ReadResult Read(std::span<Byte> report, std::optional<std::chrono::milliseconds> timeout) override {
    ReadResult result;
    if (report.empty()) return result;
    // The system takes only reads of the whole declared report.
    buffer_.assign(std::max(report.size(), inputLength_), 0);
    OVERLAPPED overlapped = StartIo();
    if (!::ReadFile(file_.get(), buffer_.data(), static_cast<DWORD>(buffer_.size()), nullptr, &overlapped) &&
        ::GetLastError() != ERROR_IO_PENDING) {
      result.status = Failed("Reading an input report");
      return result;
    }
    const HANDLE events[2] = {ioEvent_.get(), interruptEvent_.get()};
    const DWORD waitMs = timeout ? static_cast<DWORD>(timeout->count()) : INFINITE;
    const DWORD waited = ::WaitForMultipleObjects(2, events, FALSE, waitMs);
    if (waited != WAIT_OBJECT_0) {
      Cancel(overlapped);
      if (waited == WAIT_OBJECT_0 + 1) {
        result.status = Status::Failure("Read interrupted.", kReadInterrupted);
      } else if (waited == WAIT_TIMEOUT) {
        result.status = Status::Failure("No input report from " + path_ + ".", kReadTimedOut);
      } else {
        result.status = Failed("Waiting for an input report");
      }
      return result;
    }
    DWORD got = 0;
    if (!::GetOverlappedResult(file_.get(), &overlapped, &got, FALSE)) {
      result.status = Failed("Reading an input report");
      return result;
    }
    result.length = std::min<std::size_t>(got, report.size());
    std::copy_n(buffer_.begin(), result.length, report.begin());
    return result;
  }

  void Interrupt() override { ::SetEvent(interruptEvent_.get()); }

 private:
  OVERLAPPED StartIo() {
    ::ResetEvent(ioEvent_.get());
    OVERLAPPED overlapped{};
    overlapped.hEvent = ioEvent_.get();
    return overlapped;
  }

  // The buffer and the OVERLAPPED must outlive the operation: wait until the cancelled one has ended.
  void Cancel(OVERLAPPED& overlapped) {
    ::CancelIoEx(file_.get(), &overlapped);
    DWORD ignored = 0;
    ::GetOverlappedResult(file_.get(), &overlapped, &ignored, TRUE);
  }

  Status Failed(const std::string& what) const { return LastSystemError(what + " on " + path_); }

  Handle file_;
  Handle ioEvent_;
  Handle interruptEvent_;
  std::string path_;
  std::size_t inputLength_;
  std::vector<Byte> buffer_;
};

// A message-only window on a thread of its own, registered for the HID class's arrivals and removals.
class DeviceChangeWindow : public DeviceWatch {
 public:
  explicit DeviceChangeWindow(NoticeCallback callback) : callback_(std::move(callback)) {}

  ~DeviceChangeWindow() override {
    if (thread_.joinable()) {
      ::PostMessageW(window_, WM_CLOSE, 0, 0);
      thread_.join();
    }
  }

  Status Start() {
    std::promise<Status> started;
    std::future<Status> result = started.get_future();
    thread_ = std::thread([this, &started] { Run(started); });
    Status status = result.get();
    if (!status) thread_.join();
    return status;
  }

 private:
  static constexpr const wchar_t* kClassName = L"KorvaneDeviceChange";

  void Run(std::promise<Status>& started) {
    const HINSTANCE instance = ::GetModuleHandleW(nullptr);
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = &DeviceChangeWindow::Procedure;
    windowClass.hInstance = instance;
    windowClass.lpszClassName = kClassName;
    if (!::RegisterClassExW(&windowClass) && ::GetLastError() != ERROR_CLASS_ALREADY_EXISTS) {
      started.set_value(LastSystemError("Cannot watch for devices"));
      return;
    }
    window_ = ::CreateWindowExW(0, kClassName, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, instance, this);
    if (window_ == nullptr) {
      started.set_value(LastSystemError("Cannot watch for devices"));
      return;
    }
    DEV_BROADCAST_DEVICEINTERFACE_W filter{};
    filter.dbcc_size = sizeof filter;
    filter.dbcc_devicetype = DBT_DEVTYP_DEVICEINTERFACE;
    filter.dbcc_classguid = HidClassGuid();
    const HDEVNOTIFY registration = ::RegisterDeviceNotificationW(window_, &filter, DEVICE_NOTIFY_WINDOW_HANDLE);
    if (registration == nullptr) {
      started.set_value(LastSystemError("Cannot watch for devices"));
      ::DestroyWindow(window_);
      return;
    }
    started.set_value(Status::Ok());
    MSG message;
    while (::GetMessageW(&message, nullptr, 0, 0) > 0) ::DispatchMessageW(&message);
    ::UnregisterDeviceNotification(registration);
  }

  static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
      const auto* create = reinterpret_cast<const CREATESTRUCTW*>(lParam);
      ::SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
    }
    auto* self = reinterpret_cast<DeviceChangeWindow*>(::GetWindowLongPtrW(window, GWLP_USERDATA));
    switch (message) {
      case WM_DEVICECHANGE:
        if (self != nullptr && (wParam == DBT_DEVICEARRIVAL || wParam == DBT_DEVICEREMOVECOMPLETE)) {
          self->Announce(static_cast<unsigned>(wParam), reinterpret_cast<const DEV_BROADCAST_HDR*>(lParam));
        }
        return TRUE;
      case WM_CLOSE: ::DestroyWindow(window); return 0;
      case WM_DESTROY: ::PostQuitMessage(0); return 0;
      default: return ::DefWindowProcW(window, message, wParam, lParam);
    }
  }

  void Announce(unsigned type, const DEV_BROADCAST_HDR* header) {
    if (header == nullptr) return;
    DeviceNotice notice{type, static_cast<unsigned>(header->dbch_devicetype), ""};
    if (header->dbch_devicetype == DBT_DEVTYP_DEVICEINTERFACE) {
      notice.interfaceName = Narrow(reinterpret_cast<const DEV_BROADCAST_DEVICEINTERFACE_W*>(header)->dbcc_name);
    }
    callback_(notice);
  }

  NoticeCallback callback_;
  HWND window_ = nullptr;
  std::thread thread_;
};

class WindowsHidBackend : public HidBackend {
 public:
  Status Enumerate(std::vector<HidInterface>& interfaces) override {
    interfaces.clear();
    const GUID hidClass = HidClassGuid();
    const HDEVINFO set = ::SetupDiGetClassDevsW(&hidClass, nullptr, nullptr, DIGCF_PRESENT | DIGCF_DEVICEINTERFACE);
    if (set == INVALID_HANDLE_VALUE) return LastSystemError("Cannot list the HID devices");
    Status status;
    for (DWORD index = 0;; ++index) {
      SP_DEVICE_INTERFACE_DATA data{};
      data.cbSize = sizeof data;
      if (!::SetupDiEnumDeviceInterfaces(set, nullptr, &hidClass, index, &data)) {
        if (::GetLastError() != ERROR_NO_MORE_ITEMS) status = LastSystemError("Cannot list the HID devices");
        break;
      }
      std::optional<std::wstring> path = InterfacePath(set, data);
      if (!path) {
        status = LastSystemError("Cannot read the path of a HID device");
        break;
      }
      interfaces.push_back(Examine(*path));
    }
    ::SetupDiDestroyDeviceInfoList(set);
    return status;
  }

  Status Open(const HidInterface& interface, OpenMode mode, std::shared_ptr<HidDevice>& device) override {
    // Overlapped in both modes, so that every read can time out or be interrupted.
    const DWORD access = mode == OpenMode::Commands ? GENERIC_READ | GENERIC_WRITE : GENERIC_READ;
    const HANDLE file = ::CreateFileW(Widen(interface.path).c_str(), access, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                      nullptr, OPEN_EXISTING, FILE_FLAG_OVERLAPPED, nullptr);
    if (file == INVALID_HANDLE_VALUE) return LastSystemError("Cannot open " + interface.path);
    auto opened = std::make_shared<WindowsHidDevice>(file, interface.path,
                                                     interface.caps ? interface.caps->inputReportLength : 0);
    if (!opened->ready()) return LastSystemError("Cannot create an event for " + interface.path);
    device = std::move(opened);
    return Status::Ok();
  }

  Status WatchDevices(NoticeCallback callback, std::unique_ptr<DeviceWatch>& watch) override {
    auto window = std::make_unique<DeviceChangeWindow>(std::move(callback));
    if (Status started = window->Start(); !started) return started;
    watch = std::move(window);
    return Status::Ok();
  }

 private:
  static std::optional<std::wstring> InterfacePath(HDEVINFO set, SP_DEVICE_INTERFACE_DATA& data) {
    DWORD size = 0;
    ::SetupDiGetDeviceInterfaceDetailW(set, &data, nullptr, 0, &size, nullptr);
    if (size < sizeof(SP_DEVICE_INTERFACE_DETAIL_DATA_W)) return std::nullopt;
    std::vector<std::byte> storage(size);
    auto* detail = reinterpret_cast<SP_DEVICE_INTERFACE_DETAIL_DATA_W*>(storage.data());
    detail->cbSize = sizeof(SP_DEVICE_INTERFACE_DETAIL_DATA_W);
    if (!::SetupDiGetDeviceInterfaceDetailW(set, &data, detail, size, nullptr, nullptr)) return std::nullopt;
    return std::wstring(detail->DevicePath);
  }

  // Opened for query only (no access rights), which any user may do. An interface that cannot be
  // opened or asked is listed without what it would not tell.
  static HidInterface Examine(const std::wstring& path) {
    HidInterface interface;
    interface.path = Narrow(path);
    const Handle query(::CreateFileW(path.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0,
                                     nullptr));
    if (!query.valid()) return interface;
    HIDD_ATTRIBUTES attributes{};
    attributes.Size = sizeof attributes;
    if (::HidD_GetAttributes(query.get(), &attributes)) {
      interface.attributes = HidAttributes{attributes.VendorID, attributes.ProductID};
    }
    interface.caps = CapsOf(query.get());
    return interface;
  }
};

}  // namespace

std::unique_ptr<HidBackend> MakeSystemHidBackend() { return std::make_unique<WindowsHidBackend>(); }

}  // namespace korvane
