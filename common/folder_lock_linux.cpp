#include "common/folder_lock.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cerrno>
#include <thread>

namespace korvane {

namespace {

constexpr std::chrono::milliseconds kRetryInterval{5};

}  // namespace

void FolderLock::Release() {
  // Closing the only descriptor of the open folder releases its flock.
  if (fd_ >= 0) ::close(fd_);
  fd_ = -1;
}

Status FolderLock::Acquire(const std::filesystem::path& folder, FolderLock& lock,
                           std::chrono::milliseconds timeout) {
  const std::filesystem::path dir = folder.empty() ? std::filesystem::path(".") : folder;
  const int fd = ::open(dir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return Status::FromErrno("cannot open the folder " + dir.string() + " to lock it", errno);
  // Polled rather than blocking, so that a holder that never lets go costs a message, not a hang.
  const auto deadline = std::chrono::steady_clock::now() + timeout;
  while (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
    const int error = errno;
    if (error == EINTR) continue;
    if (error != EWOULDBLOCK || std::chrono::steady_clock::now() >= deadline) {
      ::close(fd);
      if (error != EWOULDBLOCK) return Status::FromErrno("cannot lock the folder " + dir.string(), error);
      return Status::Failure("another program has been editing the files in " + dir.string() + " for " +
                             std::to_string(timeout.count()) + " ms; try again when it is done");
    }
    std::this_thread::sleep_for(kRetryInterval);
  }
  lock = FolderLock();
  lock.fd_ = fd;
  return Status::Ok();
}

}  // namespace korvane
