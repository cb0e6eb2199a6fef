#include "gui/program_service.h"

#define WIN32_LEAN_AND_MEAN
#include <windows.h>

#include <QString>
#include <QWinEventNotifier>
#include <string>

namespace korvane {

namespace {

// The running program's event in the user's session; a second start sets it.
std::wstring ShowEventName() { return L"Local\\" + QString::fromLatin1(kProgramServiceName).toStdWString(); }

}  // namespace

// Windows has no session bus: a second start's Show is all the running program offers.
bool OfferProgramService(MainController&, std::function<void()> show) {
  // An auto-reset event: each wait that it ends clears it again, so every request shows the window once.
  const HANDLE event = ::CreateEventW(nullptr, FALSE, FALSE, ShowEventName().c_str());
  if (event == nullptr) return false;
  if (::GetLastError() == ERROR_ALREADY_EXISTS) {
    ::CloseHandle(event);
    return false;
  }
  // Both live as long as the program.
  auto* notifier = new QWinEventNotifier(event);
  QObject::connect(notifier, &QWinEventNotifier::activated, notifier, [show = std::move(show)] { show(); });
  return true;
}

bool AskRunningProgramToShow() {
  const HANDLE event = ::OpenEventW(EVENT_MODIFY_STATE, FALSE, ShowEventName().c_str());
  if (event == nullptr) return false;
  const bool set = ::SetEvent(event) != 0;
  ::CloseHandle(event);
  return set;
}

}  // namespace korvane
