#include "device/hotplug_watcher.h"

#include <poll.h>
#include <sys/eventfd.h>
#include <sys/inotify.h>
#include <unistd.h>

#include <map>
#include <string>
#include <thread>

namespace korvane {
namespace {

using Clock = std::chrono::steady_clock;

class HotplugWatcher : public DeviceWatch {
 public:
  HotplugWatcher(HidrawRoots roots, NoticeCallback callback, std::chrono::milliseconds settleTime, int inotifyFd,
                 int stopFd)
      : roots_(std::move(roots)),
        callback_(std::move(callback)),
        settleTime_(settleTime),
        inotifyFd_(inotifyFd),
        stopFd_(stopFd) {
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator(roots_.dev, error)) {
      const std::string node = entry.path().filename().string();
      if (IsHidrawNodeName(node)) names_[node] = HidrawInterfaceName(roots_, node);
    }
    thread_ = std::thread([this] { Run(); });
  }

  ~HotplugWatcher() override {
    const std::uint64_t one = 1;
    [[maybe_unused]] const ssize_t written = ::write(stopFd_, &one, sizeof one);
    thread_.join();
    ::close(inotifyFd_);
    ::close(stopFd_);
  }

 private:
  void Run() {
    while (true) {
      int waitMs = -1;
      if (!pending_.empty()) {
        auto due = pending_.begin()->second;
        for (const auto& [node, time] : pending_) due = std::min(due, time);
        const auto left = std::chrono::ceil<std::chrono::milliseconds>(due - Clock::now());
        waitMs = static_cast<int>(std::max<std::chrono::milliseconds::rep>(0, left.count()));
      }
      pollfd fds[2] = {{inotifyFd_, POLLIN, 0}, {stopFd_, POLLIN, 0}};
      const int ready = ::poll(fds, 2, waitMs);
      if (ready < 0 && errno != EINTR) return;
      if (fds[1].revents & POLLIN) return;
      if (fds[0].revents & POLLIN) ReadChanges();
      AnnounceSettled();
    }
  }

  void ReadChanges() {
    alignas(inotify_event) char buffer[4096];
    while (true) {
      const ssize_t got = ::read(inotifyFd_, buffer, sizeof buffer);
      if (got <= 0) return;
      for (ssize_t offset = 0; offset < got;) {
        const auto* event = reinterpret_cast<const inotify_event*>(buffer + offset);
        offset += static_cast<ssize_t>(sizeof(inotify_event) + event->len);
        const std::string node = event->len ? event->name : "";
        if (!IsHidrawNodeName(node)) continue;
        if (event->mask & (IN_CREATE | IN_MOVED_TO)) {
          // sysfs describes a node before the node appears, and no longer once it is gone.
          names_[node] = HidrawInterfaceName(roots_, node);
          pending_[node] = Clock::now() + settleTime_;
        } else if (event->mask & (IN_DELETE | IN_MOVED_FROM)) {
          pending_.erase(node);
          auto known = names_.find(node);
          const std::string name = known != names_.end() ? known->second : node;
          if (known != names_.end()) names_.erase(known);
          callback_(DeviceNotice{DeviceNotice::kRemoveComplete, DeviceNotice::kDeviceInterfaceHeader, name});
        }
      }
    }
  }

  void AnnounceSettled() {
    const auto now = Clock::now();
    for (auto it = pending_.begin(); it != pending_.end();) {
      if (it->second > now) {
        ++it;
        continue;
      }
      callback_(DeviceNotice{DeviceNotice::kArrival, DeviceNotice::kDeviceInterfaceHeader, names_[it->first]});
      it = pending_.erase(it);
    }
  }

  HidrawRoots roots_;
  NoticeCallback callback_;
  std::chrono::milliseconds settleTime_;
  int inotifyFd_;
  int stopFd_;
  // Used by the watcher thread only (and by the constructor before it starts).
  std::map<std::string, std::string> names_;
  std::map<std::string, Clock::time_point> pending_;
  std::thread thread_;
};

}  // namespace

Status StartHotplugWatcher(const HidrawRoots& roots, NoticeCallback callback, std::chrono::milliseconds settleTime,
                           std::unique_ptr<DeviceWatch>& watch) {
  const int inotifyFd = ::inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
  if (inotifyFd < 0) return Status::FromErrno("Cannot watch for devices", errno);
  if (::inotify_add_watch(inotifyFd, roots.dev.c_str(), IN_CREATE | IN_DELETE | IN_MOVED_TO | IN_MOVED_FROM) < 0) {
    const int error = errno;
    ::close(inotifyFd);
    return Status::FromErrno("Cannot watch " + roots.dev.string(), error);
  }
  const int stopFd = ::eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK);
  if (stopFd < 0) {
    const int error = errno;
    ::close(inotifyFd);
    return Status::FromErrno("Cannot create an event descriptor", error);
  }
  watch = std::make_unique<HotplugWatcher>(roots, std::move(callback), settleTime, inotifyFd, stopFd);
  return Status::Ok();
}

}  // namespace korvane
