#include "gui/desktop_notifications.h"

namespace korvane {

// Windows shows balloons on the tray icon itself: there is no service to send them to.
void SendDesktopNotification(const QString&, const QString&, int) {}

bool HaveNotificationService() { return false; }

}  // namespace korvane
