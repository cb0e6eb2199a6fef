#include "system/desktop_pointer.h"

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <chrono>
#include <cstdlib>
#include <thread>

namespace korvane {

extern "C" char** environ;

namespace {

struct Step {
  std::string_view failedMessage;
  std::function<std::optional<Status>(DesktopPointer&, const PointerSettings&)> set;
};

// Where there is no desktop, nothing is set and nothing is said.
class NoDesktopPointer : public DesktopPointer {
 public:
  std::string_view name() const override { return "none"; }
  std::optional<Status> SetMouse(const std::array<int, 3>&) override { return std::nullopt; }
  std::optional<Status> SetMouseSpeed(int) override { return std::nullopt; }
  std::optional<Status> SetWheelScrollLines(std::uint32_t) override { return std::nullopt; }
  std::optional<Status> SetDoubleClickTime(int) override { return std::nullopt; }
};

constexpr auto kProgramTimeLimit = std::chrono::seconds(5);

}  // namespace

std::string SignedUnitSpeed(int speed) {
  const double value = std::clamp((speed - 10) / 10.0, -1.0, 1.0);
  char text[16];
  const auto end = std::to_chars(text, text + sizeof text, value, std::chars_format::fixed, 2).ptr;
  return std::string(text, end);
}

void ApplyPointerSettings(const MouseConfig& config, DesktopPointer& desktop, MessageSink& messages) {
  const PointerSettings settings = PointerSettingsOf(config);
  const Step steps[] = {
      {"SETMOUSE failed.", [](DesktopPointer& d, const PointerSettings& s) { return d.SetMouse(s.mouseThresholds); }},
      {"SETMOUSESPEED failed.",
       [](DesktopPointer& d, const PointerSettings& s) { return d.SetMouseSpeed(s.pointerSpeed); }},
      {"SETWHEELSCROLLLINES failed.",
       [](DesktopPointer& d, const PointerSettings& s) { return d.SetWheelScrollLines(s.wheelScrollLines); }},
      {"SPI_SETDOUBLECLICKTIME failed.",
       [](DesktopPointer& d, const PointerSettings& s) { return d.SetDoubleClickTime(s.doubleClickTimeMs); }},
  };
  for (const Step& step : steps) {
    const std::optional<Status> result = step.set(desktop, settings);
    if (result && !result->ok()) {
      messages.ShowMessage(std::string(step.failedMessage) + "\n" + result->message(), "Warning");
    }
  }
}

Status RunProgram(const std::vector<std::string>& argv) {
  if (argv.empty()) return Status::Failure("no program to run");
  std::vector<char*> args;
  for (const std::string& arg : argv) args.push_back(const_cast<char*>(arg.c_str()));
  args.push_back(nullptr);

  // The program's output would only clutter the terminal the GUI was started from.
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
  posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
  pid_t pid = -1;
  const int spawned = posix_spawnp(&pid, args[0], &actions, nullptr, args.data(), environ);
  posix_spawn_file_actions_destroy(&actions);
  if (spawned == ENOENT) return Status::Failure(argv[0] + " is not installed", spawned);
  if (spawned != 0) return Status::FromErrno("cannot run " + argv[0], spawned);

  const auto deadline = std::chrono::steady_clock::now() + kProgramTimeLimit;
  int status = 0;
  for (;;) {
    const pid_t done = ::waitpid(pid, &status, WNOHANG);
    if (done == pid) break;
    if (done < 0 && errno != EINTR) return Status::FromErrno("cannot wait for " + argv[0], errno);
    if (std::chrono::steady_clock::now() >= deadline) {
      ::kill(pid, SIGKILL);
      ::waitpid(pid, &status, 0);
      return Status::Failure(argv[0] + " did not finish within 5 seconds");
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
  }
  if (WIFEXITED(status) && WEXITSTATUS(status) == 0) return Status::Ok();
  if (WIFEXITED(status) && WEXITSTATUS(status) == 127) return Status::Failure(argv[0] + " is not installed");
  return Status::Failure(argv[0] + " failed (exit status " +
                         std::to_string(WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status)) + ")");
}

DesktopKind DesktopKindFrom(std::string_view currentDesktop, std::string_view display) {
  // Desktops that keep their pointer settings in GNOME's schema.
  constexpr std::string_view kGnomeFamily[] = {"GNOME", "Unity", "Budgie", "Pantheon", "X-Cinnamon-GNOME"};
  std::size_t start = 0;
  while (start <= currentDesktop.size()) {
    const std::size_t end = std::min(currentDesktop.find(':', start), currentDesktop.size());
    const std::string_view entry = currentDesktop.substr(start, end - start);
    if (entry == "KDE") return DesktopKind::kKde;
    for (const std::string_view gnome : kGnomeFamily) {
      if (entry == gnome) return DesktopKind::kGnome;
    }
    start = end + 1;
  }
  return display.empty() ? DesktopKind::kNone : DesktopKind::kXServer;
}

DesktopKind DesktopKindOfThisSession() {
  const char* desktop = std::getenv("XDG_CURRENT_DESKTOP");
  const char* display = std::getenv("DISPLAY");
  return DesktopKindFrom(desktop != nullptr ? desktop : "", display != nullptr ? display : "");
}

std::unique_ptr<DesktopPointer> MakeDesktopPointer(DesktopKind kind) {
  switch (kind) {
    case DesktopKind::kGnome: return MakeGSettingsPointer();
    case DesktopKind::kKde: return MakeKdePointer();
    case DesktopKind::kXServer: return MakeXServerPointer();
    case DesktopKind::kNone: break;
  }
  return std::make_unique<NoDesktopPointer>();
}

}  // namespace korvane
