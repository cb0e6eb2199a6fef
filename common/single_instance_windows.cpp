#include "common/single_instance.h"

#define WIN32_LEAN_AND_MEAN
#include <windows.h>

#include "common/windows_system.h"

namespace korvane {

// On Windows the lock is the named mutex itself, in the user's session: "QDVanteelMutex" for the
// default (empty) folder, and a name made from the folder for any other, so that runs given folders of
// their own never meet. The system closes the handle when the process ends in any way. fd_ holds the
// handle (handles fit in 32 bits, HandleToLong).

std::filesystem::path SingleInstanceLock::DefaultFolder() { return {}; }

SingleInstanceLock::~SingleInstanceLock() {
  if (fd_ >= 0) ::CloseHandle(LongToHandle(fd_));
}

SingleInstanceLock::Outcome SingleInstanceLock::Acquire(const std::filesystem::path& folder) {
  const std::wstring name =
      folder.empty() ? std::wstring(L"QDVanteelMutex") : ObjectNameForFolder(L"Local\\QDVanteelMutex-", folder.native());
  const HANDLE mutex = ::CreateMutexW(nullptr, FALSE, name.c_str());
  if (mutex == nullptr) {
    status_ = LastSystemError("Cannot create the instance mutex " + Narrow(name));
    return Outcome::kFailed;
  }
  if (::GetLastError() == ERROR_ALREADY_EXISTS) {
    ::CloseHandle(mutex);
    return Outcome::kAlreadyRunning;
  }
  fd_ = HandleToLong(mutex);
  return Outcome::kAcquired;
}

}  // namespace korvane
