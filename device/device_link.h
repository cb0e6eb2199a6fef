#pragma once

// Entry point of the device link: everything a controller or the CLI needs to talk to the mouse.
//
//   auto backend = MakeSystemHidBackend();     // device/hid_backend.h: the real mouse, or
//   EmulatedMouse mouse;                       // device/emulated_mouse.h: mouse.backend(), and
//                                              // mouse.PressCpiButton() / SwitchMacro(n) / Unplug() / Plug()
//   DeviceLink link(*backend);                 // real sleeps; tests pass a recording SleepFunction
//   link.SetTrace([](const TransportOp& op) { std::puts(FormatTransportOp(op).c_str()); });
//   if (!link.Connect(config)) report(link.scanStatus());   // scan + handshake
//   link.StartReader(onEvent);                 // 06 07 event reports, on the reader thread
//   link.WatchDevices(onNotice);               // notices may come from another thread: hand them
//                                              // to the owner's thread, which calls OnDeviceChange
//   link.ReadStageSettings();                  // CMD_READ_PROFILE + CMD_READ_SETTINGS into mirror()
//   UploadConfiguration(link.protocol(), config, files, labels);   // device/upload.h
//
// Threads: the owner's thread makes every call below. The reader thread only reads the event
// interface and calls the event callback; the hotplug watcher (hidraw) calls the notice callback.

#include <atomic>
#include <condition_variable>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <thread>

#include "common/status.h"
#include "config/mouse_config.h"
#include "device/hid_backend.h"
#include "device/protocol.h"
#include "device/protocol_constants.h"
#include "device/transport.h"

namespace korvane {

// The rules by which the scan knows the mouse and its two collections.
bool IsMouse(const HidAttributes& attributes);
bool IsEventInterface(const HidCaps& caps);
bool IsCommandInterface(const HidCaps& caps);

struct DeviceEvent {
  Byte type = 0;
  Byte value = 0;
  bool operator==(const DeviceEvent&) const = default;
};

// Runs on the reader thread. It must return only once the event has been handled on the owner's
// thread (in Qt a blocking queued call), so that events are handled one at a time and never while
// the owner talks to the mouse.
using EventCallback = std::function<void(const DeviceEvent&)>;

// How the owner should react to a device notice.
enum class DeviceChange {
  Ignored,         // not the mouse's interface, or not an arrival or removal
  MouseFound,      // arrival, and the scan opened the mouse: show EVENT_MOUSE_FOUND, call Handshake,
                   // reload the profile and labels, StartReader if not started yet
  MouseLost,       // the scan failed: show EVENT_MOUSE_LOST (on arrival also hide the window)
  StillConnected,  // removal of one interface while the command interface is still there
};

// Unbounded waits on the command interface would hang the program when the mouse goes away.
inline constexpr std::chrono::milliseconds kCommandReadTimeout{1000};

// The connection to the mouse: its two open interfaces, the command protocol over the first and the
// reader thread over the second.
class DeviceLink {
 public:
  explicit DeviceLink(HidBackend& backend, SleepFunction sleep = RealSleep);
  ~DeviceLink();  // stops the watcher and the reader, closes both interfaces
  DeviceLink(const DeviceLink&) = delete;
  DeviceLink& operator=(const DeviceLink&) = delete;

  // The scan. Closes the command interface, and the event interface too when its node is no longer
  // listed. Then it examines the whole list before it opens anything: the mouse's command collection
  // (FF00/FF00, 9-byte feature reports) and event collection (FF01/0001, input reports) are matched
  // by the device they belong to (HidInterface::device), and the first device with a command
  // collection is accepted. Its event collection, if it has one, is opened for the reader in place
  // of the previous one, then its command collection; neither the list's order nor the node numbers
  // decide what is opened. Any interface that cannot be examined, or one of the mouse's that cannot
  // be opened, fails the scan; scanStatus() then says why. devicePath() is the command interface's
  // path after a success, else the path examined last.
  bool FindAndOpenMouse();
  // Clears the mirror, reads the active profile into it and into config.profileSlot, then attaches
  // (CMD_READ_PROFILE, CMD_ATTACH 0xFC).
  Status Handshake(MouseConfig& config);
  // FindAndOpenMouse, then Handshake when the mouse was found.
  bool Connect(MouseConfig& config);
  // Acts on an arrival or removal notice of the mouse by scanning again; see DeviceChange for what
  // the owner does next. Notices whose name lacks "Vid_04d9&Pid_a0f4" or "VID_04D9&PID_A0F4"
  // (exactly so spelt) are ignored.
  DeviceChange OnDeviceChange(const DeviceNotice& notice);
  // Closes both interfaces; the link is disconnected until the next successful scan.
  void Close();

  bool connected() const { return connected_.load(); }
  const Status& scanStatus() const { return scanStatus_; }
  const std::string& devicePath() const { return devicePath_; }
  std::uint16_t inputReportLength() const { return inputReportLength_; }

  // The command set over the command interface; what was sent and read stays in mirror().
  FeatureProtocol& protocol() { return protocol_; }
  DeviceMirror& mirror() { return mirror_; }
  // The stage notification's read-back: CMD_READ_PROFILE, then CMD_READ_SETTINGS into the mirror.
  Status ReadStageSettings();

  // Reports every transport operation from now on (replacing an earlier callback); empty stops it.
  void SetTrace(TracingTransport::Callback callback);

  // Starts the reader thread once; later calls change nothing. While disconnected the thread waits
  // for the next successful scan.
  void StartReader(EventCallback callback);
  // Stops and joins the reader thread; a callback already running finishes first.
  void StopReader();
  bool readerStarted() const { return reader_.joinable(); }

  // Follows arrivals and removals until StopWatching or destruction.
  Status WatchDevices(NoticeCallback callback);
  void StopWatching() { watch_.reset(); }

 private:
  // The command interface as the protocol's transport; fails every call while it is closed.
  class CommandTransport : public Transport {
   public:
    explicit CommandTransport(DeviceLink& link) : link_(link) {}
    Status SetFeature(std::span<const Byte> report) override;
    Status GetFeature(std::span<Byte> report) override;
    Status WriteOutput(std::span<const Byte> report) override;
    Status ReadInput(std::span<Byte> report) override;
    std::size_t inputReportLength() const override { return link_.inputReportLength_; }
    void Sleep(std::chrono::milliseconds duration) override { link_.sleep_(duration); }

   private:
    DeviceLink& link_;
  };

  // Manual-reset event that wakes the reader: set by a successful scan and by StopReader.
  class ReaderSignal {
   public:
    void Set();
    void Reset();
    void Wait();

   private:
    std::mutex mutex_;
    std::condition_variable changed_;
    bool set_ = false;
  };

  bool FailScan(Status status);
  // Returns once the reader thread has let go of the previous handle, which is then closed.
  void ReplaceReaderHandle(std::shared_ptr<HidDevice> handle, std::uint16_t reportLength, std::string path);
  void ReaderLoop();

  HidBackend& backend_;
  SleepFunction sleep_;
  CommandTransport commandTransport_{*this};
  std::optional<TracingTransport> tracing_;
  DeviceMirror mirror_;
  FeatureProtocol protocol_{commandTransport_, mirror_};

  std::shared_ptr<HidDevice> commandHandle_;
  std::uint16_t inputReportLength_ = 0;
  std::string devicePath_;
  Status scanStatus_;
  std::atomic<bool> connected_{false};

  std::mutex readerMutex_;  // guards readerHandle_, readerReportLength_ and reading_
  std::shared_ptr<HidDevice> readerHandle_;
  std::uint16_t readerReportLength_ = 0;
  const HidDevice* reading_ = nullptr;  // the handle the reader thread holds, if any
  std::condition_variable readerLetGo_;  // reading_ was cleared
  std::string readerPath_;               // where readerHandle_ was opened; owner's thread only
  ReaderSignal readerEvent_;
  std::atomic<bool> stopReader_{false};
  EventCallback onEvent_;
  std::thread reader_;

  std::unique_ptr<DeviceWatch> watch_;
};

}  // namespace korvane
