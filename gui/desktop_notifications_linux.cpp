#include "gui/desktop_notifications.h"

#include <QCoreApplication>
#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QStringList>
#include <QVariantMap>
#include <optional>
#include <utility>

namespace korvane {

namespace {

constexpr char kNotificationService[] = "org.freedesktop.Notifications";
// A service that does not answer must not hold the next message back for long.
constexpr int kReplyTimeoutMs = 2000;

struct Notification {
  QString title, text;
  int timeoutMs;
};

// The program's messages to the service, one at a time: each names the id the service gave the one before
// it, which it replaces.
class Notifier {
 public:
  void Send(Notification message) {
    if (waiting_) {
      next_ = std::move(message);
      return;
    }
    QDBusMessage call = QDBusMessage::createMethodCall(QLatin1String(kNotificationService),
                                                       QStringLiteral("/org/freedesktop/Notifications"),
                                                       QLatin1String(kNotificationService), QStringLiteral("Notify"));
    QVariantMap hints;
    hints.insert(QStringLiteral("desktop-entry"), QStringLiteral("korvane"));
    call << QStringLiteral("Korvane") << lastId_ << QStringLiteral("korvane") << message.title << message.text
         << QStringList() << hints << message.timeoutMs;
    waiting_ = true;
    auto* watcher = new QDBusPendingCallWatcher(QDBusConnection::sessionBus().asyncCall(call, kReplyTimeoutMs),
                                                QCoreApplication::instance());
    QObject::connect(watcher, &QDBusPendingCallWatcher::finished, [this](QDBusPendingCallWatcher* finished) {
      const QDBusPendingReply<uint> reply = *finished;
      // Without an answer the next message replaces the last one that had an id.
      if (reply.isValid()) lastId_ = reply.value();
      finished->deleteLater();
      waiting_ = false;
      if (std::optional<Notification> next = std::exchange(next_, std::nullopt)) Send(std::move(*next));
    });
  }

 private:
  uint lastId_ = 0;
  bool waiting_ = false;
  std::optional<Notification> next_;
};

}  // namespace

void SendDesktopNotification(const QString& title, const QString& text, int timeoutMs) {
  static Notifier notifier;
  notifier.Send({title, text, timeoutMs});
}

bool HaveNotificationService() {
  const QDBusConnection bus = QDBusConnection::sessionBus();
  return bus.isConnected() && bus.interface()->isServiceRegistered(QLatin1String(kNotificationService)).value();
}

}  // namespace korvane
