#include "common/folder_lock.h"

#define WIN32_LEAN_AND_MEAN
#include <windows.h>

#include "common/windows_system.h"

namespace korvane {

// Windows locks files, not folders: the lock is a mutex of the user's session named after the folder, so
// that it still needs no file and works in a folder the user may only read. fd_ holds the mutex handle
// (handles fit in 32 bits, HandleToLong). A holder that ends without releasing abandons the mutex, and
// the next one takes it: the files are replaced whole, so nothing half-written is left behind.

void FolderLock::Release() {
  if (fd_ >= 0) {
    const HANDLE mutex = LongToHandle(fd_);
    ::ReleaseMutex(mutex);
    ::CloseHandle(mutex);
  }
  fd_ = -1;
}

Status FolderLock::Acquire(const std::filesystem::path& folder, FolderLock& lock,
                           std::chrono::milliseconds timeout) {
  const std::filesystem::path dir = folder.empty() ? std::filesystem::path(L".") : folder;
  const std::string name = Narrow(dir.native());
  std::error_code error;
  if (!std::filesystem::is_directory(dir, error)) {
    return WindowsFailure("cannot open the folder " + name + " to lock it", ERROR_PATH_NOT_FOUND);
  }
  const std::wstring mutexName = ObjectNameForFolder(L"Local\\KorvaneFolder-", dir.native());
  const HANDLE mutex = ::CreateMutexW(nullptr, FALSE, mutexName.c_str());
  if (mutex == nullptr) return LastSystemError("cannot lock the folder " + name);
  const DWORD waited = ::WaitForSingleObject(mutex, static_cast<DWORD>(timeout.count()));
  if (waited != WAIT_OBJECT_0 && waited != WAIT_ABANDONED) {
    const Status status = waited == WAIT_TIMEOUT
                              ? Status::Failure("another program has been editing the files in " + name + " for " +
                                                std::to_string(timeout.count()) + " ms; try again when it is done")
                              : LastSystemError("cannot lock the folder " + name);
    ::CloseHandle(mutex);
    return status;
  }
  lock = FolderLock();
  lock.fd_ = HandleToLong(mutex);
  return Status::Ok();
}

}  // namespace korvane
