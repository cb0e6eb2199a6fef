// korvane-uhid-mouse: the emulated mouse's firmware behind the kernel's HID core. Each of the mouse's
// interfaces becomes a uhid device (USB, 04D9:A0F4, HID_PHYS ".../inputN") with the emulated mouse's
// report descriptor, so that hidraw, the scan and the whole protocol run against real kernel nodes.
//
//   korvane-uhid-mouse [--commands-first]
//
// --commands-first creates the command interface before the others, so that it gets the lowest hidraw
// number. Commands on standard input, one a line:
//   cpi        press the CPI button (a stage event)
//   macro N    switch to macro N (a macro event)
//   unplug     destroy the uhid devices, the command interface first
//   plug       create them again
//   memory     print the firmware's pages as `korvanectl pages` prints them, between "memory:" and "memory end"
//   quit       (or end of input) destroy the devices and exit
// Every line on standard output starts with "uhid-mouse: " and ends with a flush, so that a script can wait
// for it.

#include <fcntl.h>
#include <linux/uhid.h>
#include <poll.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iostream>
#include <memory>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "device/emulated_mouse.h"
#include "device/transport.h"

namespace korvane {
namespace {

constexpr const char* kPhysDevice = "usb-0000:00:14.0-2";

void Log(const std::string& line) { std::cout << "uhid-mouse: " << line << std::endl; }

[[noreturn]] void Die(const std::string& what) {
  Log("error: " + what + ": " + std::strerror(errno));
  std::exit(1);
}

// One interface of the mouse as a uhid device.
struct Interface {
  Interface(const char* name, unsigned number, std::span<const Byte> descriptor, bool numbered, const char* emulatedPath)
      : name(name), number(number), descriptor(descriptor), numbered(numbered), emulatedPath(emulatedPath) {}

  const char* name;                 // "pointer", "events", "commands"
  unsigned number;                  // USB interface number, in HID_PHYS
  std::span<const Byte> descriptor;
  bool numbered;                    // reports carry their ID byte
  const char* emulatedPath;         // the matching interface of the emulated backend, or nullptr
  int fd = -1;
  bool started = false;
  std::string node;                 // /dev/hidrawN once bound
  std::shared_ptr<HidDevice> firmware;

  std::string phys() const { return std::string(kPhysDevice) + "/input" + std::to_string(number); }
};

// The hidraw node whose HID device has this HID_PHYS, or "".
std::string FindHidrawNode(const std::string& phys) {
  std::error_code error;
  for (const auto& entry : std::filesystem::directory_iterator("/sys/class/hidraw", error)) {
    std::ifstream uevent(entry.path() / "device" / "uevent");
    for (std::string line; std::getline(uevent, line);) {
      if (line == "HID_PHYS=" + phys) return "/dev/" + entry.path().filename().string();
    }
  }
  return "";
}

void Send(const Interface& interface, const uhid_event& event) {
  if (::write(interface.fd, &event, sizeof event) != static_cast<ssize_t>(sizeof event)) {
    Die(std::string("writing to /dev/uhid for ") + interface.name);
  }
}

class UhidMouse {
 public:
  explicit UhidMouse(bool commandsFirst) {
    interfaces_.emplace_back("pointer", 0, EmulatedMouse::PointerDescriptor(), false, nullptr);
    interfaces_.emplace_back("events", 1, EmulatedMouse::EventDescriptor(), true, EmulatedMouse::kEventPath);
    interfaces_.emplace_back("commands", 2, EmulatedMouse::CommandDescriptor(), false, EmulatedMouse::kCommandPath);
    order_ = commandsFirst ? std::vector<std::size_t>{2, 0, 1} : std::vector<std::size_t>{0, 1, 2};
  }

  // Creates the interfaces in order, each one bound to hidraw before the next is created.
  void Plug() {
    mouse_.Plug();
    std::vector<HidInterface> listed;
    mouse_.backend().Enumerate(listed);
    for (std::size_t index : order_) {
      Interface& interface = interfaces_[index];
      for (const HidInterface& entry : listed) {
        if (interface.emulatedPath && entry.path == interface.emulatedPath) {
          mouse_.backend().Open(entry, OpenMode::Commands, interface.firmware);
        }
      }
      Create(interface);
      WaitUntil([&] { return interface.started && !(interface.node = FindHidrawNode(interface.phys())).empty(); });
      Log(std::string(interface.name) + " is " + interface.node);
    }
    Log("plugged in");
  }

  void Unplug() {
    for (std::size_t index : {std::size_t{2}, std::size_t{1}, std::size_t{0}}) {
      Interface& interface = interfaces_[index];
      uhid_event event{};
      event.type = UHID_DESTROY;
      Send(interface, event);
      ::close(interface.fd);
      interface.fd = -1;
      interface.started = false;
      interface.node.clear();
      interface.firmware.reset();
    }
    mouse_.Unplug();
    Log("unplugged");
  }

  // Serves the kernel and standard input until "quit" or the end of input.
  void Run() {
    std::string pending;
    while (true) {
      std::vector<pollfd> fds = PollSet();
      fds.push_back({STDIN_FILENO, POLLIN, 0});
      if (::poll(fds.data(), fds.size(), -1) < 0 && errno != EINTR) Die("poll");
      ServeReady(fds);
      if (!(fds.back().revents & (POLLIN | POLLHUP))) continue;
      char buffer[256];
      const ssize_t got = ::read(STDIN_FILENO, buffer, sizeof buffer);
      if (got <= 0) return;
      pending.append(buffer, static_cast<std::size_t>(got));
      for (std::size_t end; (end = pending.find('\n')) != std::string::npos;) {
        const std::string line = pending.substr(0, end);
        pending.erase(0, end + 1);
        if (!Command(line)) return;
      }
    }
  }

  bool pluggedIn() const { return interfaces_[0].fd >= 0; }

 private:
  // false for "quit".
  bool Command(const std::string& line) {
    std::istringstream words(line);
    std::string command;
    words >> command;
    if (command == "cpi") {
      mouse_.PressCpiButton();
      SendEvents();
    } else if (command == "macro") {
      int macro = 0;
      words >> macro;
      mouse_.SwitchMacro(static_cast<Byte>(macro));
      SendEvents();
    } else if (command == "unplug") {
      if (pluggedIn()) Unplug();
    } else if (command == "plug") {
      if (!pluggedIn()) Plug();
    } else if (command == "memory") {
      PrintMemory();
    } else if (command == "quit") {
      return false;
    } else if (!command.empty()) {
      Log("unknown command '" + line + "'");
    }
    return true;
  }

  void Create(Interface& interface) {
    interface.fd = ::open("/dev/uhid", O_RDWR | O_CLOEXEC);
    if (interface.fd < 0) Die("opening /dev/uhid");
    uhid_event event{};
    event.type = UHID_CREATE2;
    uhid_create2_req& create = event.u.create2;
    std::snprintf(reinterpret_cast<char*>(create.name), sizeof create.name, "Korvane uhid mouse %s", interface.name);
    std::snprintf(reinterpret_cast<char*>(create.phys), sizeof create.phys, "%s", interface.phys().c_str());
    create.rd_size = static_cast<__u16>(interface.descriptor.size());
    std::copy(interface.descriptor.begin(), interface.descriptor.end(), create.rd_data);
    create.bus = BUS_USB;
    create.vendor = MOUSE_VENDOR_ID;
    create.product = MOUSE_PRODUCT_ID;
    Send(interface, event);
  }

  std::vector<pollfd> PollSet() const {
    std::vector<pollfd> fds;
    for (const Interface& interface : interfaces_) fds.push_back({interface.fd, POLLIN, 0});
    return fds;
  }

  void ServeReady(const std::vector<pollfd>& fds) {
    for (std::size_t i = 0; i < interfaces_.size(); ++i) {
      if (interfaces_[i].fd >= 0 && (fds[i].revents & POLLIN)) Serve(interfaces_[i]);
    }
  }

  // Keeps serving every interface while waiting for a kernel-side condition (a node to appear).
  void WaitUntil(const std::function<bool()>& done) {
    const auto giveUp = std::chrono::steady_clock::now() + std::chrono::seconds(20);
    while (!done()) {
      if (std::chrono::steady_clock::now() > giveUp) {
        errno = ETIMEDOUT;
        Die("waiting for a hidraw node");
      }
      std::vector<pollfd> fds = PollSet();
      if (::poll(fds.data(), fds.size(), 10) < 0 && errno != EINTR) Die("poll");
      ServeReady(fds);
    }
  }

  // One request of the kernel.
  void Serve(Interface& interface) {
    uhid_event event{};
    const ssize_t got = ::read(interface.fd, &event, sizeof event);
    if (got < 0) {
      if (errno == EAGAIN || errno == EINTR) return;
      Die(std::string("reading /dev/uhid for ") + interface.name);
    }
    uhid_event reply{};
    switch (event.type) {
      case UHID_START: interface.started = true; break;
      case UHID_OPEN: Log(std::string("open ") + interface.name); break;
      case UHID_CLOSE: Log(std::string("close ") + interface.name); break;
      case UHID_SET_REPORT: {
        const uhid_set_report_req& request = event.u.set_report;
        reply.type = UHID_SET_REPORT_REPLY;
        reply.u.set_report_reply.id = request.id;
        reply.u.set_report_reply.err = EIO;
        if (interface.firmware && request.rtype == UHID_FEATURE_REPORT && request.rnum == 0) {
          interface.firmware->SetFeature(std::span(request.data, request.size));
          reply.u.set_report_reply.err = 0;
        }
        Send(interface, reply);
        SendInput(interface);
        break;
      }
      case UHID_GET_REPORT: {
        const uhid_get_report_req& request = event.u.get_report;
        reply.type = UHID_GET_REPORT_REPLY;
        reply.u.get_report_reply.id = request.id;
        reply.u.get_report_reply.err = EIO;
        if (interface.firmware && request.rtype == UHID_FEATURE_REPORT && request.rnum == 0) {
          std::span<Byte> answer(reply.u.get_report_reply.data, kFeatureReportSize);
          interface.firmware->GetFeature(answer);
          reply.u.get_report_reply.size = kFeatureReportSize;
          reply.u.get_report_reply.err = 0;
        }
        Send(interface, reply);
        break;
      }
      case UHID_OUTPUT:
        if (interface.firmware && event.u.output.rtype == UHID_OUTPUT_REPORT) {
          interface.firmware->Write(std::span(event.u.output.data, event.u.output.size));
          SendInput(interface);
        }
        break;
      default: break;
    }
  }

  // Input reports the firmware queued on an interface, as UHID_INPUT2 (without the ID byte when the
  // interface numbers no reports).
  void SendInput(Interface& interface) {
    if (!interface.firmware || interface.fd < 0) return;
    std::vector<Byte> report(kOutputReportSize);
    while (true) {
      const ReadResult result = interface.firmware->Read(report, std::chrono::milliseconds(0));
      if (!result.status.ok()) return;
      const std::size_t skip = interface.numbered ? 0 : 1;
      uhid_event event{};
      event.type = UHID_INPUT2;
      event.u.input2.size = static_cast<__u16>(result.length - skip);
      std::copy_n(report.begin() + skip, result.length - skip, event.u.input2.data);
      Send(interface, event);
    }
  }

  void SendEvents() { SendInput(interfaces_[1]); }

  void PrintMemory() {
    const DeviceMirror memory = mouse_.memory();
    std::cout << "uhid-mouse: memory:\n";
    std::cout << "settings: " << HexBytes(memory.settingsPage) << '\n';
    std::cout << "keys: " << HexBytes(memory.keyPage) << '\n';
    for (std::size_t n = 0; n < memory.macroPages.size(); ++n) {
      std::cout << "macro " << n + 1 << ": " << HexBytes(memory.macroPages[n]) << '\n';
    }
    Log("memory end");
  }

  EmulatedMouse mouse_;
  std::vector<Interface> interfaces_;
  std::vector<std::size_t> order_;
};

}  // namespace
}  // namespace korvane

int main(int argc, char** argv) {
  const bool commandsFirst = argc > 1 && std::string(argv[1]) == "--commands-first";
  if (argc > 2 || (argc == 2 && !commandsFirst)) {
    std::cerr << "usage: korvane-uhid-mouse [--commands-first]\n";
    return 2;
  }
  korvane::UhidMouse mouse(commandsFirst);
  // The emulated mouse starts plugged in; the uhid devices follow it.
  mouse.Plug();
  mouse.Run();
  if (mouse.pluggedIn()) mouse.Unplug();
  return 0;
}
