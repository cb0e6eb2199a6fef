// The pointer backend of this Linux session, and the program runner the backends write through.
#include "system/desktop_pointer.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <chrono>
#include <cstdlib>

namespace korvane {

extern "C" char** environ;

namespace {

constexpr auto kProgramTimeLimit = std::chrono::seconds(5);
// Far more than any answer we ask for; the rest is read and dropped.
constexpr std::size_t kOutputLimit = 1u << 20;

// One of the child's output streams, read from a pipe into `text` until the child closes it.
struct Capture {
  int fd = -1;
  std::string* text = nullptr;
};

void ReadSome(pollfd& ready, Capture& capture) {
  char buffer[4096];
  const ssize_t got = ::read(capture.fd, buffer, sizeof buffer);
  if (got < 0 && errno == EINTR) return;
  if (got <= 0) {
    ::close(capture.fd);
    capture.fd = ready.fd = -1;
    return;
  }
  const std::size_t room = kOutputLimit - std::min(kOutputLimit, capture.text->size());
  capture.text->append(buffer, std::min(room, static_cast<std::size_t>(got)));
}

std::string LastLine(std::string_view text) {
  while (!text.empty() && std::isspace(static_cast<unsigned char>(text.back()))) text.remove_suffix(1);
  const std::size_t newline = text.rfind('\n');
  return std::string(newline == std::string_view::npos ? text : text.substr(newline + 1));
}

// Runs argv with its standard input empty, its standard error read, and its standard output read into
// `output` or, without one, dropped (it would only clutter the terminal the GUI was started from).
Status Run(const std::vector<std::string>& argv, std::string* output) {
  if (argv.empty()) return Status::Failure("no program to run");
  std::vector<char*> args;
  for (const std::string& arg : argv) args.push_back(const_cast<char*>(arg.c_str()));
  args.push_back(nullptr);

  std::string errors;
  int errorPipe[2] = {-1, -1};
  int outputPipe[2] = {-1, -1};
  if (::pipe2(errorPipe, O_CLOEXEC) != 0 || (output != nullptr && ::pipe2(outputPipe, O_CLOEXEC) != 0)) {
    const int error = errno;
    for (const int fd : {errorPipe[0], errorPipe[1]}) {
      if (fd >= 0) ::close(fd);
    }
    return Status::FromErrno("cannot run " + argv[0], error);
  }
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
  if (output != nullptr) {
    posix_spawn_file_actions_adddup2(&actions, outputPipe[1], STDOUT_FILENO);
  } else {
    posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
  }
  posix_spawn_file_actions_adddup2(&actions, errorPipe[1], STDERR_FILENO);
  pid_t pid = -1;
  const int spawned = posix_spawnp(&pid, args[0], &actions, nullptr, args.data(), environ);
  posix_spawn_file_actions_destroy(&actions);
  ::close(errorPipe[1]);
  if (output != nullptr) ::close(outputPipe[1]);

  Capture captures[2] = {{errorPipe[0], &errors}, {outputPipe[0], output}};
  pollfd polled[2] = {{captures[0].fd, POLLIN, 0}, {captures[1].fd, POLLIN, 0}};
  const auto closeAll = [&] {
    for (Capture& capture : captures) {
      if (capture.fd >= 0) ::close(capture.fd);
    }
  };
  if (spawned != 0) closeAll();
  if (spawned == ENOENT) return Status::Failure(argv[0] + " is not installed", spawned);
  if (spawned != 0) return Status::FromErrno("cannot run " + argv[0], spawned);

  // Read while waiting, or a chatty child would fill a pipe and never finish. Once it has finished, what
  // is already in the pipes is all that counts (a child of its own may hold them open).
  const auto deadline = std::chrono::steady_clock::now() + kProgramTimeLimit;
  int status = 0;
  bool finished = false;
  for (;;) {
    const int ready = ::poll(polled, 2, finished ? 0 : 5);
    if (ready > 0) {
      for (int i = 0; i < 2; ++i) {
        if (polled[i].fd >= 0 && polled[i].revents != 0) ReadSome(polled[i], captures[i]);
      }
    }
    if (finished) {
      if (ready <= 0 || std::chrono::steady_clock::now() >= deadline) break;
      continue;
    }
    const pid_t done = ::waitpid(pid, &status, WNOHANG);
    if (done == pid) {
      finished = true;
    } else if (done < 0 && errno != EINTR) {
      const int error = errno;
      closeAll();
      return Status::FromErrno("cannot wait for " + argv[0], error);
    } else if (std::chrono::steady_clock::now() >= deadline) {
      ::kill(pid, SIGKILL);
      ::waitpid(pid, &status, 0);
      closeAll();
      return Status::Failure(argv[0] + " did not finish within 5 seconds");
    }
  }
  closeAll();
  if (WIFEXITED(status) && WEXITSTATUS(status) == 0) return Status::Ok();
  if (WIFEXITED(status) && WEXITSTATUS(status) == 127) return Status::Failure(argv[0] + " is not installed");
  const std::string said = LastLine(errors);
  return Status::Failure(argv[0] + " failed (exit status " +
                         std::to_string(WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status)) + ")" +
                         (said.empty() ? "" : ": " + said));
}

std::string_view Environment(const char* name) {
  const char* value = std::getenv(name);
  return value != nullptr ? value : "";
}

}  // namespace

Status RunProgram(const std::vector<std::string>& argv) { return Run(argv, nullptr); }

Status RunProgramForOutput(const std::vector<std::string>& argv, std::string& output) {
  output.clear();
  return Run(argv, &output);
}

SessionEnvironment SessionEnvironmentOfThisProcess() {
  return {.currentDesktop = Environment("XDG_CURRENT_DESKTOP"),
          .sessionType = Environment("XDG_SESSION_TYPE"),
          .display = Environment("DISPLAY"),
          .waylandDisplay = Environment("WAYLAND_DISPLAY"),
          .swaySocket = Environment("SWAYSOCK")};
}

DesktopKind DesktopKindOfThisSession() { return DesktopKindFrom(SessionEnvironmentOfThisProcess()); }

std::unique_ptr<DesktopPointer> MakeDesktopPointer(DesktopKind kind) {
  switch (kind) {
    case DesktopKind::kGnome: return MakeGSettingsPointer();
    case DesktopKind::kKde: return MakeKdePointer();
    case DesktopKind::kKWinWayland: return MakeKWinPointer();
    case DesktopKind::kSway: return MakeSwayPointer();
    case DesktopKind::kXServer: return MakeXServerPointer();
    case DesktopKind::kWindows:
    case DesktopKind::kNone: break;
  }
  return MakeNoDesktopPointer();
}

}  // namespace korvane
