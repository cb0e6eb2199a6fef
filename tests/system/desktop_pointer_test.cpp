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
    const char* desktop;
    const char* display;
    DesktopKind kind;
  };
  const Row rows[] = {
      {"GNOME", ":0", DesktopKind::kGnome},     {"ubuntu:GNOME", ":0", DesktopKind::kGnome},
      {"Unity", "", DesktopKind::kGnome},       {"KDE", ":0", DesktopKind::kKde},
      {"XFCE", ":0", DesktopKind::kXServer},    {"", ":1", DesktopKind::kXServer},
      {"", "", DesktopKind::kNone},             {"GNOME-Flashback:GNOME", "", DesktopKind::kGnome},
      {"NOTGNOME", "", DesktopKind::kNone},
  };
  for (const Row& row : rows) {
    EXPECT_EQ(DesktopKindFrom(row.desktop, row.display), row.kind) << row.desktop << " / " << row.display;
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

TEST(DesktopPointerTest, AProgramsFailureIsNamed) {
  EXPECT_TRUE(RunProgram({"true"}));
  const Status failed = RunProgram({"false"});
  EXPECT_FALSE(failed);
  EXPECT_NE(failed.message().find("exit status 1"), std::string::npos) << failed.message();
  const Status missing = RunProgram({"korvane-no-such-program"});
  EXPECT_EQ(missing.message(), "korvane-no-such-program is not installed");
}

}  // namespace
}  // namespace korvane
