// A status notifier watcher for the desktop tests, as a Plasma panel runs one: it says that a host shows
// the items, and prints a line for every item that registers:
//   item <service>
// so that a test can find the program's icon on the bus and press it there.
#include <QCoreApplication>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusVariant>
#include <QDBusVirtualObject>
#include <cstdio>

namespace {

const QString kInterface = QStringLiteral("org.kde.StatusNotifierWatcher");

class Watcher : public QDBusVirtualObject {
 public:
  QString introspect(const QString&) const override {
    return QStringLiteral(
        "<interface name=\"org.kde.StatusNotifierWatcher\">"
        "<method name=\"RegisterStatusNotifierItem\"><arg name=\"service\" type=\"s\" direction=\"in\"/></method>"
        "<method name=\"RegisterStatusNotifierHost\"><arg name=\"service\" type=\"s\" direction=\"in\"/></method>"
        "<property name=\"RegisteredStatusNotifierItems\" type=\"as\" access=\"read\"/>"
        "<property name=\"IsStatusNotifierHostRegistered\" type=\"b\" access=\"read\"/>"
        "<property name=\"ProtocolVersion\" type=\"i\" access=\"read\"/>"
        "</interface>");
  }

  bool handleMessage(const QDBusMessage& message, const QDBusConnection& connection) override {
    const QString member = message.member();
    if (member == QLatin1String("RegisterStatusNotifierItem") && message.arguments().size() == 1) {
      // An item names its service, or only its path on the caller's connection.
      QString service = message.arguments()[0].toString();
      if (service.startsWith(QLatin1Char('/'))) service = message.service();
      items_ << service;
      std::printf("item %s\n", service.toUtf8().constData());
      std::fflush(stdout);
      connection.send(message.createReply());
      return true;
    }
    if (member == QLatin1String("RegisterStatusNotifierHost")) {
      connection.send(message.createReply());
      return true;
    }
    if (member == QLatin1String("Get") && message.arguments().size() == 2) {
      connection.send(message.createReply(QVariant::fromValue(QDBusVariant(Property(message.arguments()[1].toString())))));
      return true;
    }
    if (member == QLatin1String("GetAll")) {
      QVariantMap all;
      for (const char* name : {"RegisteredStatusNotifierItems", "IsStatusNotifierHostRegistered", "ProtocolVersion"}) {
        all.insert(QLatin1String(name), Property(QLatin1String(name)));
      }
      connection.send(message.createReply(all));
      return true;
    }
    return false;
  }

 private:
  QVariant Property(const QString& name) const {
    if (name == QLatin1String("RegisteredStatusNotifierItems")) return items_;
    if (name == QLatin1String("IsStatusNotifierHostRegistered")) return true;
    if (name == QLatin1String("ProtocolVersion")) return 0;
    return {};
  }

  QStringList items_;
};

}  // namespace

int main(int argc, char** argv) {
  QCoreApplication app(argc, argv);
  QDBusConnection bus = QDBusConnection::sessionBus();
  Watcher watcher;
  if (!bus.registerVirtualObject(QStringLiteral("/StatusNotifierWatcher"), &watcher) || !bus.registerService(kInterface)) {
    std::fprintf(stderr, "status_notifier_watcher: cannot take %s\n", kInterface.toUtf8().constData());
    return 1;
  }
  return app.exec();
}
