#include <algorithm>
#include <chrono>
#include <condition_variable>
#include <deque>
#include <functional>
#include <iomanip>
#include <memory>
#include <mutex>
#include <optional>

#include "app/main_controller.h"
#include "app/no_window.h"
#include "cli/commands.h"
#include "cli/profile_target.h"
#include "device/device_link.h"
#include "device/emulated_mouse.h"
#include "device/upload.h"

namespace korvane::cli {

namespace {

// The emulated mouse, with its memory in the program folder, or the HID interfaces of this machine.
class MouseBackend {
 public:
  explicit MouseBackend(const Context& context) : err_(context.err) {
    if (context.emulate) {
      emulated_ = std::make_unique<EmulatedMouse>();
      const Status kept = emulated_->KeepMemoryIn(context.folder.File(EmulatedMouse::kMemoryFileName));
      if (!kept) err_ << "korvanectl: " << kept.message() << '\n';
    } else {
      system_ = MakeSystemHidBackend();
    }
  }
  ~MouseBackend() {
    if (!emulated_) return;
    if (const Status kept = emulated_->memoryFileStatus(); !kept) {
      err_ << "korvanectl: the emulated mouse could not keep its memory: " << kept.message() << '\n';
    }
  }
  MouseBackend(const MouseBackend&) = delete;
  MouseBackend& operator=(const MouseBackend&) = delete;
  HidBackend& get() { return emulated_ ? emulated_->backend() : *system_; }
  EmulatedMouse* emulated() { return emulated_.get(); }

 private:
  std::ostream& err_;
  std::unique_ptr<EmulatedMouse> emulated_;
  std::unique_ptr<HidBackend> system_;
};

Status NoMouse(const DeviceLink& link) {
  return Status::Failure("no mouse found: " + (link.scanStatus().ok() ? std::string("is it plugged in?")
                                                                      : link.scanStatus().message()));
}

// Runs the controller's window-thread work on the command's own thread, and prints balloons as lines.
class ConsoleView : public MainNotifier, public WindowThread {
 public:
  explicit ConsoleView(std::ostream& out) : out_(out) {}

  void ShowMessage(std::string_view text, std::string_view caption) override {
    out_ << (caption.empty() ? "Message" : caption) << ": " << text << std::endl;
  }
  void ShowCommandMessage(const CommandMessage& message) override {
    out_ << message.caption << ": " << message.text << "\n  " << message.command << "\n" << message.note << std::endl;
  }
  void ShowBalloon(std::string_view text, std::string_view title, int /*timeoutMs*/) override {
    out_ << title << ": " << text << std::endl;
    ++balloons_;
  }

  void RunOnWindowThread(std::function<void()> work, bool wait) override {
    std::unique_lock lock(mutex_);
    if (closed_) return;
    const std::uint64_t ticket = ++queued_;
    work_.push_back(std::move(work));
    changed_.notify_all();
    if (wait) changed_.wait(lock, [&] { return closed_ || done_ >= ticket; });
  }

  // Runs queued work until the given number of balloons has been printed (no number when 0) or the
  // deadline has passed; false when the deadline came first.
  bool RunUntil(int balloons, std::optional<std::chrono::steady_clock::time_point> deadline) {
    std::unique_lock lock(mutex_);
    while (balloons == 0 || balloons_ < balloons) {
      const auto ready = [&] { return !work_.empty(); };
      if (!deadline) {
        changed_.wait(lock, ready);
      } else if (!changed_.wait_until(lock, *deadline, ready)) {
        return false;
      }
      std::function<void()> work = std::move(work_.front());
      work_.pop_front();
      lock.unlock();
      work();
      lock.lock();
      ++done_;
      changed_.notify_all();
    }
    return true;
  }

  int balloons() {
    std::lock_guard lock(mutex_);
    return balloons_;
  }

  // Releases every thread that waits for its work to run.
  void Close() {
    std::lock_guard lock(mutex_);
    closed_ = true;
    changed_.notify_all();
  }

 private:
  std::ostream& out_;
  std::mutex mutex_;
  std::condition_variable changed_;
  std::deque<std::function<void()>> work_;
  std::uint64_t queued_ = 0;
  std::uint64_t done_ = 0;
  int balloons_ = 0;
  bool closed_ = false;
};

// What upload and reset share: the profile files, the record and the link to the mouse.
struct MouseSession {
  explicit MouseSession(const Context& context) : files(context.folder), backend(context), link(backend.get()) {}

  // Reset reads the profile and writes it back; the lock keeps edits made meanwhile.
  Status Lock() { return FolderLock::Acquire(files.folder().dir(), lock); }

  // Loads the profile at index, or the current one as start-up does when index is negative.
  Status LoadProfile(int index) {
    if (index < 0) {
      index = 0;
      if (Status s = files.CurrentProfileIndex(index); !s) return s;
    }
    pair = files.ProfileFiles(index);
    languageCode = files.LanguageOf(pair);
    StoredProfile profile;
    if (Status s = files.Load(pair, languageCode, profile); !s) return s;
    config = profile.config;
    labels = profile.labels.buttonLabel;
    return Status::Ok();
  }

  // Programs the mouse and saves the profile; fails naming the first step that failed.
  Status Upload() {
    const UploadOutcome outcome = UploadConfiguration(link.protocol(), config, files, pair, languageCode, labels);
    if (const UploadOutcome::Step* failed = outcome.firstFailure()) {
      return Status::Failure("upload step " + failed->name + " failed: " + failed->status.message());
    }
    return Status::Ok();
  }

  ConfigFiles files;
  FolderLock lock;
  ProfilePair pair;
  std::string languageCode;
  MouseConfig config;
  ButtonLabels labels;
  MouseBackend backend;
  DeviceLink link;
};

}  // namespace

Status UploadCommand(const Context& context, ArgReader& args) {
  std::string profile;
  if (Status s = args.TakeOption("--profile", profile); !s) return s;
  const bool trace = args.TakeFlag("--trace");
  if (Status s = args.RejectUnknownOptions(); !s) return s;
  if (!args.rest().empty()) return Status::Failure("upload takes no further arguments");
  long index = -1;
  if (!profile.empty()) {
    if (Status s = ParseNumber(profile, 0, kMaxProfiles - 1, "profile", index); !s) return s;
  }

  FolderLock lock;
  if (Status s = FolderLock::Acquire(context.folder.dir(), lock); !s) return s;
  return UploadProfile(context, static_cast<int>(index), trace);
}

Status UploadProfile(const Context& context, int index, bool trace) {
  MouseSession session(context);
  // The profile is read and judged before the mouse is spoken to. The handshake then sets profileSlot,
  // which the upload sets to 0 in any case.
  if (Status s = session.LoadProfile(index); !s) return s;
  const Status judged =
      RefuseOutOfRange(session.pair.config, session.config, "nothing was sent; korvanectl set mends a value");
  if (!judged) return judged;
  if (trace) session.link.SetTrace([&](const TransportOp& op) { context.out << FormatTransportOp(op) << '\n'; });
  if (!session.link.Connect(session.config)) return NoMouse(session.link);
  return session.Upload();
}

Status ResetCommand(const Context& context, ArgReader& args) {
  if (Status s = args.RejectUnknownOptions(); !s) return s;
  if (!args.rest().empty()) return Status::Failure("reset takes no arguments");
  MouseSession session(context);
  if (Status s = session.Lock(); !s) return s;
  if (Status s = session.LoadProfile(-1); !s) return s;
  LabelSettings labels;
  if (Status s = session.files.LoadDefaults(session.languageCode, session.config, labels); !s) {
    return Status::Failure("nothing was sent or saved: " + s.message());
  }
  session.labels = labels.buttonLabel;
  const Status judged = RefuseOutOfRange(session.files.FactoryFiles().config, session.config,
                                         "nothing was sent or saved; the factory file is damaged");
  if (!judged) return judged;
  // Judged before the mouse is spoken to; the handshake's profileSlot is set to 0 by the upload.
  const bool connected = session.link.Connect(session.config);
  if (connected) return session.Upload();
  // Without the mouse the factory settings are kept for the next upload.
  if (Status s = session.files.Save(session.pair, session.languageCode, session.config, session.labels); !s) return s;
  context.out << "No mouse found: the factory settings are saved and go to the mouse with the next upload.\n";
  return Status::Ok();
}

Status DevicesCommand(const Context& context, ArgReader& args) {
  if (Status s = args.RejectUnknownOptions(); !s) return s;
  if (!args.rest().empty()) return Status::Failure("devices takes no arguments");
  MouseBackend backend(context);
  std::vector<HidInterface> interfaces;
  if (Status s = backend.get().Enumerate(interfaces); !s) return s;
  std::ostream& out = context.out;
  const auto hex4 = [&](unsigned value) -> std::ostream& {
    return out << std::hex << std::setw(4) << std::setfill('0') << value << std::dec << std::setfill(' ');
  };
  for (const HidInterface& interface : interfaces) {
    out << interface.path << "  ";
    if (interface.attributes) {
      hex4(interface.attributes->vendorId) << ':';
      hex4(interface.attributes->productId);
    } else {
      out << "????:????";
    }
    if (!interface.caps) {
      out << "  (report descriptor unreadable)\n";
      continue;
    }
    const HidCaps& caps = *interface.caps;
    out << "  usage ";
    hex4(caps.usagePage) << ':';
    hex4(caps.usage) << "  input " << caps.inputReportLength << " output " << caps.outputReportLength << " feature "
                     << caps.featureReportLength;
    // Marked by the scan's own rules, so that what is marked is what the program would open.
    const bool mouse = interface.attributes && IsMouse(*interface.attributes);
    if (mouse && IsCommandInterface(caps)) {
      out << "  <- mouse command interface";
      std::shared_ptr<HidDevice> device;
      if (Status s = backend.get().Open(interface, OpenMode::Commands, device); !s) out << " (" << s.message() << ")";
    } else if (mouse && IsEventInterface(caps)) {
      out << "  <- mouse event interface";
    }
    out << '\n';
  }
  if (interfaces.empty()) out << "no HID interfaces found\n";
  return Status::Ok();
}

Status EventsCommand(const Context& context, ArgReader& args) {
  std::string count, presses, macro, timeout;
  if (Status s = args.TakeOption("--count", count); !s) return s;
  if (Status s = args.TakeOption("--press-cpi", presses); !s) return s;
  if (Status s = args.TakeOption("--macro", macro); !s) return s;
  if (Status s = args.TakeOption("--timeout", timeout); !s) return s;
  if (Status s = args.RejectUnknownOptions(); !s) return s;
  if (!args.rest().empty()) return Status::Failure("events takes no further arguments");
  long wanted = 0, cpiPresses = 0, macroNumber = 0, seconds = 0;
  if (!count.empty()) {
    if (Status s = ParseNumber(count, 1, 1000000, "count", wanted); !s) return s;
  }
  if (!presses.empty()) {
    if (Status s = ParseNumber(presses, 0, 1000, "--press-cpi", cpiPresses); !s) return s;
  }
  if (!macro.empty()) {
    if (Status s = ParseNumber(macro, 1, 255, "--macro", macroNumber); !s) return s;
  }
  if (!timeout.empty()) {
    if (Status s = ParseNumber(timeout, 1, 86400, "--timeout", seconds); !s) return s;
  }
  if ((cpiPresses != 0 || macroNumber != 0) && !context.emulate) {
    return Status::Failure("--press-cpi and --macro act on the emulated mouse: add --emulate");
  }
  // The emulated mouse sends what it is told to and nothing more, so its run ends with its script.
  const long scripted = cpiPresses + (macroNumber != 0 ? 1 : 0);
  if (context.emulate && scripted == 0 && timeout.empty()) {
    return Status::Failure("the emulated mouse sends only the events --press-cpi and --macro ask for; none were given");
  }
  long awaited = wanted;
  if (context.emulate && scripted != 0) awaited = count.empty() ? scripted : std::min(wanted, scripted);
  std::optional<std::chrono::steady_clock::time_point> deadline;
  if (seconds != 0) deadline = std::chrono::steady_clock::now() + std::chrono::seconds(seconds);

  MouseBackend backend(context);
  ConsoleView view(context.out);
  NoWindow window;
  MainController controller(context.folder, backend.get(), {view, view, window, window});
  controller.Start();
  if (!controller.connected()) return NoMouse(controller.link());
  if (EmulatedMouse* mouse = backend.emulated()) {
    for (long i = 0; i < cpiPresses; ++i) mouse->PressCpiButton();
    if (macroNumber != 0) mouse->SwitchMacro(static_cast<Byte>(macroNumber));
  }
  const bool complete = view.RunUntil(static_cast<int>(awaited), deadline);
  view.Close();
  controller.Shutdown();
  const std::string came = std::to_string(view.balloons());
  // Without --count the time-out only ends the watch, which failed when nothing came at all.
  if (!complete && view.balloons() == 0) return Status::Failure("no event came within " + timeout + " s");
  if (!complete && !count.empty()) {
    return Status::Failure("only " + came + " of " + count + " events came within " + timeout + " s");
  }
  if (awaited < wanted) {
    return Status::Failure("the emulated mouse sent the " + came + " events of its script, not the " + count +
                           " --count asks for");
  }
  return Status::Ok();
}

}  // namespace korvane::cli
