#pragma once

#include <QString>
#include <functional>

namespace korvane {

// The desktop notification service (org.freedesktop.Notifications on the session bus): where balloons
// go when the desktop has no system tray. Sending never waits for the service.
void SendDesktopNotification(const QString& title, const QString& text, int timeoutMs);

// The running program's own name on the session bus, so that starting it again can bring its window back
// when there is no tray icon to click.
inline constexpr char kShowServiceName[] = "org.tellurix.Korvane";

// Registers the name and calls show for every "Show" request. False when there is no session bus or the
// name is taken.
bool OfferShowService(std::function<void()> show);
// Asks the running program to show its window; false when nothing answered.
bool AskRunningProgramToShow();

}  // namespace korvane
