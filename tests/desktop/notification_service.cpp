// A notification service for the desktop tests. It gives every message a new id, also one that replaces
// an earlier message (a real service keeps the replaced one's id), and prints a line per message:
//   replaces <id it names> id <id given>: <text>
// so that a test can tell which message replaced which.
#include <QCoreApplication>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusVirtualObject>
#include <cstdio>

namespace {

class NotificationService : public QDBusVirtualObject {
 public:
  QString introspect(const QString&) const override {
    return QStringLiteral("<interface name=\"org.freedesktop.Notifications\"><method name=\"Notify\"/></interface>");
  }

  bool handleMessage(const QDBusMessage& message, const QDBusConnection& connection) override {
    if (message.member() != QLatin1String("Notify") || message.arguments().size() != 8) return false;
    const uint id = ++lastId_;
    std::printf("replaces %u id %u: %s\n", message.arguments()[1].toUInt(), id,
                message.arguments()[4].toString().toUtf8().constData());
    std::fflush(stdout);
    connection.send(message.createReply(QVariant::fromValue(id)));
    return true;
  }

 private:
  uint lastId_ = 40;
};

}  // namespace

int main(int argc, char** argv) {
  QCoreApplication app(argc, argv);
  QDBusConnection bus = QDBusConnection::sessionBus();
  NotificationService service;
  if (!bus.registerVirtualObject(QStringLiteral("/org/freedesktop/Notifications"), &service) ||
      !bus.registerService(QStringLiteral("org.freedesktop.Notifications"))) {
    std::fprintf(stderr, "notification_service: cannot take org.freedesktop.Notifications\n");
    return 1;
  }
  return app.exec();
}
