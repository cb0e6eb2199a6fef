// The pointer settings of Windows: the system's own, through SystemParametersInfoW.
#include "system/desktop_pointer.h"

#define WIN32_LEAN_AND_MEAN
#include <windows.h>

#include "common/windows_system.h"

namespace korvane {
namespace {

class WindowsPointer : public DesktopPointer {
 public:
  std::string_view name() const override { return "Windows"; }

  // These three change the running system and tell the other programs; only the double-click time is
  // also written to the user's profile.
  std::optional<Status> SetMouse(const std::array<int, 3>& thresholds) override {
    int values[3] = {thresholds[0], thresholds[1], thresholds[2]};
    return Call(SPI_SETMOUSE, 0, values, SPIF_SENDCHANGE);
  }
  std::optional<Status> SetMouseSpeed(int speed) override {
    // The speed travels as the pointer-sized value itself, not through a pointer.
    return Call(SPI_SETMOUSESPEED, 0, reinterpret_cast<void*>(static_cast<std::intptr_t>(speed)), SPIF_SENDCHANGE);
  }
  std::optional<Status> SetWheelScrollLines(std::uint32_t lines) override {
    return Call(SPI_SETWHEELSCROLLLINES, lines, nullptr, SPIF_SENDCHANGE);
  }
  std::optional<Status> SetDoubleClickTime(int milliseconds) override {
    return Call(SPI_SETDOUBLECLICKTIME, static_cast<UINT>(milliseconds), nullptr,
                SPIF_UPDATEINIFILE | SPIF_SENDCHANGE);
  }

 private:
  static Status Call(UINT action, UINT param, void* value, UINT flags) {
    if (::SystemParametersInfoW(action, param, value, flags)) return Status::Ok();
    return LastSystemError("SystemParametersInfo failed");
  }
};

}  // namespace

SessionEnvironment SessionEnvironmentOfThisProcess() { return {}; }

DesktopKind DesktopKindOfThisSession() { return DesktopKind::kWindows; }

std::unique_ptr<DesktopPointer> MakeWindowsPointer() { return std::make_unique<WindowsPointer>(); }

std::unique_ptr<DesktopPointer> MakeDesktopPointer(DesktopKind kind) {
  return kind == DesktopKind::kWindows ? MakeWindowsPointer() : MakeNoDesktopPointer();
}

}  // namespace korvane
