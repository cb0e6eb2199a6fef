#include "system/desktop_pointer.h"

#include <gtest/gtest.h>

#include <map>

namespace korvane {
namespace {

using Argv = std::vector<std::string>;

// Records each setting it is given; settings listed in `missing` are skipped, those in `failing` fail.
class RecordingPointer : public DesktopPointer {
 public:
  std::string_view name() const override { return "recording"; }
  std::optional<Status> SetMouse(const std::array<int, 3>& t) override {
    return Record("mouse " + std::to_string(t[0]) + "," + std::to_string(t[1]) + "," + std::to_string(t[2]));
  }
  std::optional<Status> SetMouseSpeed(int speed) override { return Record("speed " + std::to_string(speed)); }
  std::optional<Status> SetWheelScrollLines(std::uint32_t lines) override {
    return Record("wheel " + std::to_string(lines));
  }
  std::optional<Status> SetDoubleClickTime(int ms) override { return Record("double-click " + std::to_string(ms)); }

  std::vector<std::string> calls;
  std::vector<std::string> missing, failing;

 private:
  std::optional<Status> Record(std::string call) {
    const std::string kind = call.substr(0, call.find(' '));
    calls.push_back(std::move(call));
    if (std::find(missing.begin(), missing.end(), kind) != missing.end()) return std::nullopt;
    if (std::find(failing.begin(), failing.end(), kind) != failing.end()) return Status::Failure("no " + kind);
    return Status::Ok();
  }
};

struct Messages : MessageSink {
  void ShowMessage(std::string_view text, std::string_view caption) override {
    shown.push_back(std::string(caption) + ": " + std::string(text));
  }
  std::vector<std::string> shown;
};

MouseConfig Sample() {
  MouseConfig config;
  config.pointerPrecision = 1;
  config.pointerSpeed = 11;
  config.scrollLines = 3;
  config.doubleClickSpeed = 6;
  return config;
}

TEST(DesktopPointerTest, AppliesTheFourSettingsInOrder) {
  RecordingPointer desktop;
  Messages messages;
  ApplyPointerSettings(Sample(), desktop, messages);
  EXPECT_EQ(desktop.calls, (std::vector<std::string>{"mouse 6,10,1", "speed 20", "wheel 3", "double-click 550"}));
  EXPECT_TRUE(messages.shown.empty());
}

TEST(DesktopPointerTest, AFailureSaysWhichAndTheNextIsStillTriedWhileMissingOnesAreSilent) {
  RecordingPointer desktop;
  desktop.failing = {"mouse", "double-click"};
  desktop.missing = {"wheel"};
  Messages messages;
  ApplyPointerSettings(Sample(), desktop, messages);
  EXPECT_EQ(desktop.calls.size(), 4u);
  EXPECT_EQ(messages.shown, (std::vector<std::string>{"Warning: SETMOUSE failed.\nno mouse",
                                                      "Warning: SPI_SETDOUBLECLICKTIME failed.\nno double-click"}));
}

TEST(DesktopPointerTest, TheDesktopComesFromTheSessionsEnvironment) {
  struct Row {
    SessionEnvironment session;
    DesktopKind kind;
  };
  const Row rows[] = {
      {{.currentDesktop = "GNOME", .display = ":0"}, DesktopKind::kGnome},
      {{.currentDesktop = "ubuntu:GNOME", .display = ":0"}, DesktopKind::kGnome},
      {{.currentDesktop = "Unity"}, DesktopKind::kGnome},
      {{.currentDesktop = "GNOME-Flashback:GNOME"}, DesktopKind::kGnome},
      {{.currentDesktop = "GNOME", .sessionType = "wayland", .display = ":0", .waylandDisplay = "wayland-0"},
       DesktopKind::kGnome},
      {{.currentDesktop = "KDE", .sessionType = "x11", .display = ":0"}, DesktopKind::kKde},
      {{.currentDesktop = "KDE", .display = ":0"}, DesktopKind::kKde},
      {{.currentDesktop = "KDE", .sessionType = "wayland", .display = ":1"}, DesktopKind::kKWinWayland},
      // Started from a console: the type says tty, the Wayland socket tells.
      {{.currentDesktop = "KDE", .sessionType = "tty", .waylandDisplay = "wayland-0"}, DesktopKind::kKWinWayland},
      // An X session of its own that a Wayland socket leaked into.
      {{.currentDesktop = "KDE", .sessionType = "x11", .display = ":0", .waylandDisplay = "wayland-0"},
       DesktopKind::kKde},
      {{.sessionType = "wayland", .display = ":0", .swaySocket = "/run/user/1000/sway-ipc.1000.42.sock"},
       DesktopKind::kSway},
      {{.currentDesktop = "sway", .sessionType = "wayland"}, DesktopKind::kSway},
      {{.currentDesktop = "XFCE", .display = ":0"}, DesktopKind::kXServer},
      {{.display = ":1"}, DesktopKind::kXServer},
      // Another compositor: DISPLAY is XWayland's, whose pointer is not the one the user moves.
      {{.currentDesktop = "Hyprland", .sessionType = "wayland", .display = ":0"}, DesktopKind::kNone},
      {{.display = ":0", .waylandDisplay = "wayland-1"}, DesktopKind::kNone},
      {{}, DesktopKind::kNone},
      {{.currentDesktop = "NOTGNOME"}, DesktopKind::kNone},
  };
  for (const Row& row : rows) {
    EXPECT_EQ(DesktopKindFrom(row.session), row.kind)
        << row.session.currentDesktop << " / " << row.session.sessionType << " / " << row.session.display << " / "
        << row.session.waylandDisplay << " / " << row.session.swaySocket;
  }
}

// Each backend's programs for the sample record, or "skip" for a setting the desktop lacks.
std::vector<std::string> CommandsOf(std::unique_ptr<DesktopPointer> (*make)(ProgramRunner), const MouseConfig& config,
                                    std::vector<Argv>* recorded, std::function<Status(const Argv&)> answer = {}) {
  auto desktop = make([&](const Argv& argv) {
    recorded->push_back(argv);
    return answer ? answer(argv) : Status::Ok();
  });
  Messages messages;
  ApplyPointerSettings(config, *desktop, messages);
  std::vector<std::string> lines;
  for (const Argv& argv : *recorded) {
    std::string line;
    for (const std::string& word : argv) line += (line.empty() ? "" : " ") + word;
    lines.push_back(line);
  }
  return lines;
}

TEST(DesktopPointerTest, EachBackendWritesWhatItsDesktopKeeps) {
  std::vector<Argv> recorded;
  EXPECT_EQ(CommandsOf(MakeGSettingsPointer, Sample(), &recorded),
            (std::vector<std::string>{"gsettings set org.gnome.desktop.peripherals.mouse accel-profile adaptive",
                                      "gsettings set org.gnome.desktop.peripherals.mouse speed 1.00",
                                      "gsettings set org.gnome.desktop.peripherals.mouse double-click 550"}));
  recorded.clear();
  MouseConfig flat = Sample();
  flat.pointerPrecision = 0;
  flat.pointerSpeed = 4;  // system speed 6
  EXPECT_EQ(CommandsOf(MakeXServerPointer, flat, &recorded), (std::vector<std::string>{"xset m 6/10 0"}));
  recorded.clear();
  EXPECT_EQ(CommandsOf(MakeXServerPointer, Sample(), &recorded), (std::vector<std::string>{"xset m 20/10 4"}));
  recorded.clear();
  EXPECT_EQ(CommandsOf(MakeSwayPointer, flat, &recorded),
            (std::vector<std::string>{"swaymsg -- input type:pointer accel_profile flat",
                                      "swaymsg -- input type:pointer pointer_accel -0.40"}));
}

TEST(DesktopPointerTest, PlasmaFallsBackToTheOlderConfigWriterAndSkipsOneScreenScrolling) {
  std::vector<Argv> recorded;
  MouseConfig config = Sample();
  config.scrollOneScreen = 1;
  const auto lines = CommandsOf(MakeKdePointer, config, &recorded, [](const Argv& argv) {
    return argv[0] == "kwriteconfig6" ? Status::Failure("kwriteconfig6 is not installed") : Status::Ok();
  });
  EXPECT_EQ(lines, (std::vector<std::string>{
                       "kwriteconfig6 --file kcminputrc --group Mouse --key XLbInptAccelProfileFlat false",
                       "kwriteconfig5 --file kcminputrc --group Mouse --key XLbInptAccelProfileFlat false",
                       "kwriteconfig6 --file kcminputrc --group Mouse --key XLbInptPointerAcceleration 1.00",
                       "kwriteconfig5 --file kcminputrc --group Mouse --key XLbInptPointerAcceleration 1.00",
                       "kwriteconfig6 --file kdeglobals --group KDE --key DoubleClickInterval 550",
                       "kwriteconfig5 --file kdeglobals --group KDE --key DoubleClickInterval 550"}));
}

// KWin's input devices as dbus-send shows them: two mice, a touchpad and a keyboard. Records the Sets
// and any other program run, as "<device> <property> <value>" or the command line.
struct FakeKWin {
  struct Device {
    bool pointer, touchpad;
  };
  std::map<std::string, Device> devices{
      {"event3", {true, false}}, {"event4", {true, true}}, {"event5", {true, false}}, {"event6", {false, false}}};
  bool hasInputDevices = true;
  std::string refusingDevice;
  std::string listReply;  // instead of the list of devices
  std::vector<std::string> calls;

  static std::string Reply(const std::string& body) {
    return "method return time=1765286400.118201 sender=:1.12 -> destination=:1.90 serial=418 reply_serial=2\n" +
           body;
  }

  Status operator()(const Argv& argv, std::string& output) {
    if (argv[0] != "dbus-send") {
      std::string line;
      for (const std::string& word : argv) line += (line.empty() ? "" : " ") + word;
      calls.push_back(line);
      return Status::Ok();
    }
    const std::string& path = argv[4];
    const std::string property = argv[7].substr(std::string("string:").size());
    if (path == "/org/kde/KWin/InputDevice") {
      if (!hasInputDevices) {
        return Status::Failure(
            "dbus-send failed (exit status 1): Error org.freedesktop.DBus.Error.UnknownObject: No such object path "
            "'/org/kde/KWin/InputDevice'");
      }
      std::string list = "   variant       array [\n";
      for (const auto& [name, device] : devices) list += "         string \"" + name + "\"\n";
      output = Reply(listReply.empty() ? list + "      ]\n" : listReply);
      return Status::Ok();
    }
    const std::string name = path.substr(path.rfind('/') + 1);
    if (argv[5] == "org.freedesktop.DBus.Properties.Set") {
      calls.push_back(name + " " + property + " " + argv[8]);
      if (name == refusingDevice) {
        return Status::Failure("dbus-send failed (exit status 1): Error org.freedesktop.DBus.Error.Failed: refused");
      }
      output = Reply("");
      return Status::Ok();
    }
    const Device& device = devices.at(name);
    output = Reply(std::string("   variant       boolean ") +
                   ((property == "pointer" ? device.pointer : device.touchpad) ? "true\n" : "false\n"));
    return Status::Ok();
  }
};

std::vector<std::string> ApplyThroughKWin(FakeKWin& kwin, Messages& messages) {
  const auto desktop = MakeKWinPointer([&kwin](const Argv& argv, std::string& output) { return kwin(argv, output); });
  ApplyPointerSettings(Sample(), *desktop, messages);
  return kwin.calls;
}

const std::vector<std::string> kPlasmaFiles = {
    "kwriteconfig6 --file kcminputrc --group Mouse --key WheelScrollLines 3",
    "kwriteconfig6 --file kdeglobals --group KDE --key DoubleClickInterval 550"};

TEST(DesktopPointerTest, KWinSetsEachMouseButNotTouchpadsOrKeyboards) {
  FakeKWin kwin;
  Messages messages;
  std::vector<std::string> expected = {"event3 pointerAccelerationProfileFlat variant:boolean:false",
                                       "event5 pointerAccelerationProfileFlat variant:boolean:false",
                                       "event3 pointerAcceleration variant:double:1.00",
                                       "event5 pointerAcceleration variant:double:1.00"};
  expected.insert(expected.end(), kPlasmaFiles.begin(), kPlasmaFiles.end());
  EXPECT_EQ(ApplyThroughKWin(kwin, messages), expected);
  EXPECT_TRUE(messages.shown.empty()) << messages.shown.front();
}

TEST(DesktopPointerTest, KWinWithoutMiceSkipsSpeedAndProfileQuietly) {
  FakeKWin virtualKWin;
  virtualKWin.hasInputDevices = false;
  FakeKWin touchpadOnly;
  touchpadOnly.devices = {{"event4", {true, true}}};
  FakeKWin noDevices;
  noDevices.listReply = "   variant       array [\n      ]\n";
  for (FakeKWin* kwin : {&virtualKWin, &touchpadOnly, &noDevices}) {
    Messages messages;
    EXPECT_EQ(ApplyThroughKWin(*kwin, messages), kPlasmaFiles);
    EXPECT_TRUE(messages.shown.empty()) << messages.shown.front();
  }
}

TEST(DesktopPointerTest, KWinsRefusalOrAnOddAnswerIsAFailure) {
  FakeKWin refusing;
  refusing.refusingDevice = "event3";
  Messages messages;
  const auto calls = ApplyThroughKWin(refusing, messages);
  EXPECT_EQ(std::count_if(calls.begin(), calls.end(), [](const std::string& c) { return c.starts_with("event5"); }),
            2);
  EXPECT_EQ(messages.shown,
            (std::vector<std::string>{
                "Warning: SETMOUSE failed.\nKWin did not take pointerAccelerationProfileFlat for event3: dbus-send "
                "failed (exit status 1): Error org.freedesktop.DBus.Error.Failed: refused",
                "Warning: SETMOUSESPEED failed.\nKWin did not take pointerAcceleration for event3: dbus-send "
                "failed (exit status 1): Error org.freedesktop.DBus.Error.Failed: refused"}));

  FakeKWin odd;
  odd.listReply = "   variant       string \"event3\"\n";
  Messages oddMessages;
  EXPECT_EQ(ApplyThroughKWin(odd, oddMessages), kPlasmaFiles);
  ASSERT_EQ(oddMessages.shown.size(), 2u);
  EXPECT_EQ(oddMessages.shown[0], "Warning: SETMOUSE failed.\nKWin gave an unexpected answer for devicesSysNames");
}

TEST(DesktopPointerTest, AProgramsFailureIsNamed) {
  EXPECT_TRUE(RunProgram({"true"}));
  const Status failed = RunProgram({"false"});
  EXPECT_FALSE(failed);
  EXPECT_NE(failed.message().find("exit status 1"), std::string::npos) << failed.message();
  const Status missing = RunProgram({"korvane-no-such-program"});
  EXPECT_EQ(missing.message(), "korvane-no-such-program is not installed");
  EXPECT_EQ(RunProgram({"sh", "-c", "echo warming up >&2; echo 'no such key' >&2; exit 3"}).message(),
            "sh failed (exit status 3): no such key");
}

TEST(DesktopPointerTest, AnAnswerIsReadWhileTheProgramRuns) {
  std::string output = "left over";
  ASSERT_TRUE(RunProgramForOutput({"sh", "-c", "echo answer; echo remark >&2"}, output));
  EXPECT_EQ(output, "answer\n");
  // More than a pipe holds: a program that waited for us to read would never finish.
  ASSERT_TRUE(RunProgramForOutput({"sh", "-c", "head -c 300000 /dev/zero; head -c 300000 /dev/zero >&2"}, output));
  EXPECT_EQ(output.size(), 300000u);
}

}  // namespace
}  // namespace korvane
