#pragma once

#include <filesystem>

#include "common/status.h"

namespace korvane {

// "Only one Korvane per user": on Linux an exclusive advisory lock on a file named after the mutex the
// program has always used, on Windows that mutex. The lock belongs to the open file (the mutex handle),
// so it is released when the process ends in any way.
class SingleInstanceLock {
 public:
  enum class Outcome { kAcquired, kAlreadyRunning, kFailed };

  // The user's runtime folder ($XDG_RUNTIME_DIR), or /tmp when it is not set; on Windows empty, for the
  // session's "QDVanteelMutex".
  static std::filesystem::path DefaultFolder();
  // The lock file in a folder (Linux).
  static std::filesystem::path LockPath(const std::filesystem::path& folder);

  SingleInstanceLock() = default;
  SingleInstanceLock(const SingleInstanceLock&) = delete;
  SingleInstanceLock& operator=(const SingleInstanceLock&) = delete;
  ~SingleInstanceLock();

  // kFailed (with the reason in status()) when the lock file cannot be opened at all; the caller may
  // run anyway rather than refuse to start.
  Outcome Acquire(const std::filesystem::path& folder);
  const Status& status() const { return status_; }

 private:
  int fd_ = -1;  // the descriptor; on Windows the handle, as HandleToLong gives it
  Status status_;
};

}  // namespace korvane
