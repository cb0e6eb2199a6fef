// The pointer backend of this Linux session, and the program runner the backends write through.
#include "system/desktop_pointer.h"

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <thread>

namespace korvane {

extern "C" char** environ;

namespace {

constexpr auto kProgramTimeLimit = std::chrono::seconds(5);

}  // namespace

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
    case DesktopKind::kWindows:
    case DesktopKind::kNone: break;
  }
  return MakeNoDesktopPointer();
}

}  // namespace korvane
