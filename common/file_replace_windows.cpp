#include "common/file_io.h"

#define WIN32_LEAN_AND_MEAN
#include <windows.h>

#include "common/windows_system.h"

namespace korvane {
namespace {

Status WriteAll(HANDLE file, std::string_view bytes) {
  while (!bytes.empty()) {
    const DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(bytes.size(), 1u << 30));
    DWORD written = 0;
    if (!::WriteFile(file, bytes.data(), chunk, &written, nullptr)) return LastSystemError("write failed");
    bytes.remove_prefix(written);
  }
  return Status::Ok();
}

}  // namespace

Status ReplaceFileContents(const std::filesystem::path& path, std::string_view bytes) {
  const std::wstring target = path.native();
  const std::string name = Narrow(target);
  std::filesystem::path folder = path.parent_path();
  if (folder.empty()) folder = L".";
  // GetTempFileNameW creates the file, with a name no other writer has, in the target's folder, so
  // that the move below stays on one volume.
  wchar_t temp[MAX_PATH];
  if (::GetTempFileNameW(folder.c_str(), L"kvn", 0, temp) == 0) {
    return LastSystemError("cannot create a file beside " + name);
  }
  const HANDLE file = ::CreateFileW(temp, GENERIC_WRITE, 0, nullptr, TRUNCATE_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) {
    const Status status = LastSystemError("cannot open " + Narrow(temp));
    ::DeleteFileW(temp);
    return status;
  }
  Status status = WriteAll(file, bytes);
  if (status && !::FlushFileBuffers(file)) status = LastSystemError("cannot flush " + Narrow(temp));
  if (!::CloseHandle(file) && status) status = LastSystemError("cannot close " + Narrow(temp));
  // Replaces an existing file in one step, and returns only once the move is on the disk.
  if (status && !::MoveFileExW(temp, target.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
    status = LastSystemError("cannot replace " + name);
  }
  if (!status) ::DeleteFileW(temp);
  return status;
}

}  // namespace korvane
