#include "gui/key_names.h"

#define WIN32_LEAN_AND_MEAN
#include <windows.h>

#include <QString>
#include <array>

#include "keys/windows_key_names.h"

namespace korvane {

namespace {

// What Windows calls the key in the keyboard layout in use (bit 8 of the scan code is the extended flag).
std::string SystemKeyName(quint32 scanCode) {
  std::array<wchar_t, 64> name{};
  const LONG key = static_cast<LONG>(((scanCode & 0xFF) << 16) | ((scanCode & 0x100) << 16));
  const int length = ::GetKeyNameTextW(key, name.data(), static_cast<int>(name.size()));
  return length > 0 ? QString::fromWCharArray(name.data(), length).toStdString() : std::string();
}

}  // namespace

std::string KeyNameOf(const QKeyEvent& key) {
  const quint32 virtualKey = key.nativeVirtualKey();
  if (virtualKey == 0) return {};
  return KeyNameFromWindowsKey(virtualKey, key.nativeScanCode(), SystemKeyName(key.nativeScanCode()));
}

}  // namespace korvane
