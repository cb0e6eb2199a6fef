#include "common/file_io.h"

#define WIN32_LEAN_AND_MEAN
#include <windows.h>

#include <algorithm>
#include <random>

#include "common/windows_system.h"

namespace korvane {
namespace {

using file_system::Problem;

// A failed write or flush of the temporary for target: a full disk and a file too large for the volume in
// plain words, anything else as the system says it. The error is taken before any text is made, which
// could change the thread's last error.
Status WriteFailure(DWORD error, const std::string& what, const std::filesystem::path& target) {
  const int code = static_cast<int>(error);
  if (error == ERROR_DISK_FULL || error == ERROR_HANDLE_DISK_FULL) {
    return file_system::Refusal(Problem::kDiskFull, target, code);
  }
  if (error == ERROR_FILE_TOO_LARGE) return file_system::Refusal(Problem::kSizeLimit, target, code);
  return WindowsFailure(what, error);
}

Status WriteAll(HANDLE file, std::string_view bytes, const std::filesystem::path& target) {
  while (!bytes.empty()) {
    const DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(bytes.size(), 1u << 30));
    DWORD written = 0;
    if (!::WriteFile(file, bytes.data(), chunk, &written, nullptr)) {
      const DWORD error = ::GetLastError();
      return WriteFailure(error, "cannot write " + Narrow(target.native()), target);
    }
    bytes.remove_prefix(written);
  }
  return Status::Ok();
}

// Six letters or digits, as mkstemp puts into the name on Linux.
std::string UniqueLetters() {
  static constexpr char kLetters[] = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
  std::random_device random;
  std::string letters(6, '0');
  for (char& letter : letters) letter = kLetters[random() % (sizeof kLetters - 1)];
  return letters;
}

}  // namespace

Status ReadRegularFile(const std::filesystem::path& path, std::string& bytes, std::size_t maxBytes) {
  bytes.clear();
  const std::string name = Narrow(path.native());
  // Backup semantics open folders too, so that they can be told apart from files the system refuses to
  // open; pipes and devices answer at once, without waiting for the other end.
  const HANDLE file = ::CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                    nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
  if (file == INVALID_HANDLE_VALUE) {
    const DWORD error = ::GetLastError();
    if (error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND) {
      return file_system::Refusal(Problem::kMissing, path, static_cast<int>(error));
    }
    return WindowsFailure("cannot read " + name, error);
  }
  Status status;
  BY_HANDLE_FILE_INFORMATION info{};
  if (::GetFileType(file) != FILE_TYPE_DISK) {
    status = file_system::Refusal(Problem::kNotRegularFile, path);
  } else if (!::GetFileInformationByHandle(file, &info)) {
    status = LastSystemError("cannot read " + name);
  } else if ((info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
    status = file_system::Refusal(Problem::kFolder, path);
  } else if (((static_cast<unsigned long long>(info.nFileSizeHigh) << 32) | info.nFileSizeLow) > maxBytes) {
    status = file_system::LargerThan(path, maxBytes);
  }
  char buffer[16384];
  while (status) {
    DWORD got = 0;
    if (!::ReadFile(file, buffer, sizeof buffer, &got, nullptr)) {
      status = LastSystemError("cannot read " + name);
    } else if (got == 0) {
      break;
    } else if (bytes.size() + got > maxBytes) {
      status = file_system::LargerThan(path, maxBytes);
    } else {
      bytes.append(buffer, got);
    }
  }
  ::CloseHandle(file);
  if (!status) bytes.clear();
  return status;
}

namespace file_system {

Status Stage(const std::filesystem::path& target, std::string_view bytes, StagedFile& staged) {
  const std::string name = Narrow(target.native());
  // The temporary is made in the target's folder, so that the move below stays on one volume; CREATE_NEW
  // refuses a name another writer has taken.
  std::filesystem::path temp;
  HANDLE file = INVALID_HANDLE_VALUE;
  for (int attempt = 0; attempt < 100 && file == INVALID_HANDLE_VALUE; ++attempt) {
    temp = TemporaryName(target, ::GetCurrentProcessId(), UniqueLetters());
    file = ::CreateFileW(temp.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE && ::GetLastError() != ERROR_FILE_EXISTS) break;
  }
  if (file == INVALID_HANDLE_VALUE) return LastSystemError("cannot create a file beside " + name);

  const std::string tempName = Narrow(temp.native());
  Status status = WriteAll(file, bytes, target);
  if (status && !::FlushFileBuffers(file)) status = WriteFailure(::GetLastError(), "cannot flush " + tempName, target);
  if (!::CloseHandle(file) && status) status = LastSystemError("cannot close " + tempName);
  if (!status) {
    ::DeleteFileW(temp.c_str());
    return status;
  }
  staged = {target, temp};
  return Status::Ok();
}

Status Commit(const StagedFile& staged) {
  // Replaces an existing file in one step, and returns only once the move is on the disk.
  if (!::MoveFileExW(staged.temporary.c_str(), staged.target.c_str(),
                     MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
    const DWORD error = ::GetLastError();
    return WindowsFailure("cannot replace " + Narrow(staged.target.native()), error);
  }
  return Status::Ok();
}

void Discard(const StagedFile& staged) { ::DeleteFileW(staged.temporary.c_str()); }

bool ProcessHasEnded(unsigned long id) {
  const HANDLE process = ::OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, static_cast<DWORD>(id));
  // A process of another user refuses access but runs; only an id no process has is refused as invalid.
  if (process == nullptr) return ::GetLastError() == ERROR_INVALID_PARAMETER;
  DWORD exitCode = 0;
  const bool ended = ::GetExitCodeProcess(process, &exitCode) && exitCode != STILL_ACTIVE;
  ::CloseHandle(process);
  return ended;
}

}  // namespace file_system

}  // namespace korvane
