#include "common/windows_system.h"

#define WIN32_LEAN_AND_MEAN
#include <windows.h>

#include <cstdio>

namespace korvane {

std::wstring Widen(std::string_view utf8) {
  if (utf8.empty()) return {};
  const int size = ::MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), nullptr, 0);
  std::wstring wide(static_cast<std::size_t>(size), L'\0');
  ::MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), wide.data(), size);
  return wide;
}

std::string Narrow(std::wstring_view wide) {
  if (wide.empty()) return {};
  const int size =
      ::WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()), nullptr, 0, nullptr, nullptr);
  std::string utf8(static_cast<std::size_t>(size), '\0');
  ::WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()), utf8.data(), size, nullptr, nullptr);
  return utf8;
}

Status WindowsFailure(const std::string& what, unsigned long error) {
  wchar_t* text = nullptr;
  const DWORD length = ::FormatMessageW(
      FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, error,
      0, reinterpret_cast<wchar_t*>(&text), 0, nullptr);
  std::wstring_view message(text != nullptr ? text : L"", length);
  // The system's texts end in ".\r\n".
  while (!message.empty() && (message.back() == L'\n' || message.back() == L'\r' || message.back() == L'.')) {
    message.remove_suffix(1);
  }
  std::string reason = Narrow(message);
  if (text != nullptr) ::LocalFree(text);
  if (reason.empty()) {
    char code[32];
    std::snprintf(code, sizeof code, "error %lu", error);
    reason = code;
  }
  return Status::Failure(what + ": " + reason, static_cast<int>(error));
}

Status LastSystemError(const std::string& what) { return WindowsFailure(what, ::GetLastError()); }

std::wstring ObjectNameForFolder(std::wstring_view prefix, const std::wstring& folder) {
  std::wstring full(MAX_PATH, L'\0');
  DWORD length = ::GetFullPathNameW(folder.c_str(), static_cast<DWORD>(full.size()), full.data(), nullptr);
  if (length >= full.size()) {
    full.resize(length);
    length = ::GetFullPathNameW(folder.c_str(), static_cast<DWORD>(full.size()), full.data(), nullptr);
  }
  full.resize(length < full.size() ? length : 0);
  if (full.empty()) full = folder;
  while (full.size() > 3 && (full.back() == L'\\' || full.back() == L'/')) full.pop_back();
  if (!full.empty()) ::CharUpperBuffW(full.data(), static_cast<DWORD>(full.size()));
  // FNV-1a over the UTF-16 units: kernel object names may not hold the path's backslashes.
  std::uint64_t hash = 14695981039346656037ull;
  for (const wchar_t unit : full) {
    hash ^= static_cast<std::uint16_t>(unit);
    hash *= 1099511628211ull;
  }
  wchar_t digits[17];
  std::swprintf(digits, 17, L"%016llx", static_cast<unsigned long long>(hash));
  return std::wstring(prefix) + digits;
}

}  // namespace korvane
