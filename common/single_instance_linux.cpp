#include "common/single_instance.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>

namespace korvane {

std::filesystem::path SingleInstanceLock::DefaultFolder() {
  const char* runtime = std::getenv("XDG_RUNTIME_DIR");
  return runtime != nullptr && runtime[0] != '\0' ? std::filesystem::path(runtime) : "/tmp";
}

std::filesystem::path SingleInstanceLock::LockPath(const std::filesystem::path& folder) {
  return folder / "QDVanteelMutex.lock";
}

SingleInstanceLock::~SingleInstanceLock() {
  if (fd_ >= 0) close(fd_);
}

SingleInstanceLock::Outcome SingleInstanceLock::Acquire(const std::filesystem::path& folder) {
  const std::filesystem::path path = LockPath(folder);
  const int fd = open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
  if (fd < 0) {
    status_ = Status::FromErrno("Cannot open the instance lock " + path.string(), errno);
    return Outcome::kFailed;
  }
  if (flock(fd, LOCK_EX | LOCK_NB) != 0) {
    const int error = errno;
    close(fd);
    if (error == EWOULDBLOCK) return Outcome::kAlreadyRunning;
    status_ = Status::FromErrno("Cannot lock " + path.string(), error);
    return Outcome::kFailed;
  }
  fd_ = fd;
  return Outcome::kAcquired;
}

}  // namespace korvane
