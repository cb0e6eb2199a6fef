#pragma once

#include <QString>

namespace korvane {

// The desktop notification service (org.freedesktop.Notifications on the session bus): where balloons
// go when the desktop has no system tray, or has the service. Each message replaces the program's
// previous one there, so that one stands at a time, as one balloon does on a tray icon. Sending never
// waits for the service: the id it gives a message is taken when its answer comes, and a message sent
// meanwhile waits for it (only the newest one). Windows has no such service: balloons stay on the tray icon.
void SendDesktopNotification(const QString& title, const QString& text, int timeoutMs);
// Whether a notification service is on the session bus.
bool HaveNotificationService();

}  // namespace korvane
