#pragma once

#include <chrono>
#include <filesystem>

#include "common/status.h"

namespace korvane {

// An advisory lock (flock) on a folder, held while the object lives. Whatever reads a profile file of the
// folder, changes it and writes it back takes the lock first, so that edits made at the same time by
// several programs follow one another and none is lost. Files are still replaced by rename, so a reader
// that takes no lock sees a whole old or a whole new file. The lock is on the folder itself: it needs no
// file of its own and works in a folder the user may only read.
class FolderLock {
 public:
  FolderLock() = default;
  ~FolderLock();
  FolderLock(FolderLock&& other) noexcept;
  FolderLock& operator=(FolderLock&& other) noexcept;
  FolderLock(const FolderLock&) = delete;
  FolderLock& operator=(const FolderLock&) = delete;

  // Waits up to timeout while another holder has the lock; fails saying so when it is not released.
  static Status Acquire(const std::filesystem::path& folder, FolderLock& lock,
                        std::chrono::milliseconds timeout = std::chrono::seconds(10));

  bool held() const { return fd_ >= 0; }
  void Release();

 private:
  int fd_ = -1;  // the descriptor; on Windows the handle, as HandleToLong gives it
};

}  // namespace korvane
