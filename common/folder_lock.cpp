// What both systems share; folder_lock_linux.cpp and folder_lock_windows.cpp take and release.
#include "common/folder_lock.h"

#include <utility>

namespace korvane {

FolderLock::~FolderLock() { Release(); }

FolderLock::FolderLock(FolderLock&& other) noexcept : fd_(std::exchange(other.fd_, -1)) {}

FolderLock& FolderLock::operator=(FolderLock&& other) noexcept {
  if (this != &other) {
    Release();
    fd_ = std::exchange(other.fd_, -1);
  }
  return *this;
}

}  // namespace korvane
