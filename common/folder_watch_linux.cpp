#include "common/folder_watch.h"

#include <sys/inotify.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>

namespace korvane {

FolderWatch::~FolderWatch() { ::close(fd_); }

Status FolderWatch::Start(const std::filesystem::path& folder, std::unique_ptr<FolderWatch>& watch) {
  const int fd = ::inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
  if (fd < 0) return Status::FromErrno("Cannot watch " + folder.string(), errno);
  // A finished write, a file renamed into place (how every profile file is replaced), or one removed.
  constexpr std::uint32_t kChanges = IN_CLOSE_WRITE | IN_MOVED_TO | IN_CREATE | IN_DELETE | IN_MOVED_FROM;
  if (::inotify_add_watch(fd, folder.c_str(), kChanges | IN_ONLYDIR) < 0) {
    const int error = errno;
    ::close(fd);
    return Status::FromErrno("Cannot watch " + folder.string(), error);
  }
  watch.reset(new FolderWatch(fd));
  return Status::Ok();
}

std::vector<std::string> FolderWatch::TakeChanges() {
  std::vector<std::string> names;
  alignas(inotify_event) char buffer[4096];
  while (true) {
    const ssize_t got = ::read(fd_, buffer, sizeof buffer);
    if (got <= 0) return names;
    for (ssize_t offset = 0; offset < got;) {
      const auto* event = reinterpret_cast<const inotify_event*>(buffer + offset);
      offset += static_cast<ssize_t>(sizeof(inotify_event) + event->len);
      if (event->len == 0) continue;
      const std::string name = event->name;
      if (std::ranges::find(names, name) == names.end()) names.push_back(name);
    }
  }
}

}  // namespace korvane
