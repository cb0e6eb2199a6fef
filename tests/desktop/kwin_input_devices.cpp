// KWin's input devices on the session bus, for the desktop tests: the device manager at
// /org/kde/KWin/InputDevice lists event3 (a mouse), event4 (a touchpad) and event9 (a keyboard), each an
// object below it whose properties Get and Set as KWin's do. Prints a line per Set:
//   <device> <property> <value>
#include <QCoreApplication>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusVariant>
#include <QDBusVirtualObject>
#include <QMap>
#include <QStringList>
#include <cstdio>

namespace {

constexpr auto kManagerPath = "/org/kde/KWin/InputDevice";

using Device = QMap<QString, QVariant>;

Device MakeDevice(bool pointer, bool touchpad) {
  return {{QStringLiteral("pointer"), pointer},
          {QStringLiteral("touchpad"), touchpad},
          {QStringLiteral("pointerAcceleration"), 0.0},
          {QStringLiteral("pointerAccelerationProfileFlat"), false}};
}

class InputDevices : public QDBusVirtualObject {
 public:
  QString introspect(const QString&) const override { return {}; }

  bool handleMessage(const QDBusMessage& message, const QDBusConnection& connection) override {
    const QList<QVariant> arguments = message.arguments();
    if (message.interface() != QLatin1String("org.freedesktop.DBus.Properties") || arguments.size() < 2) return false;
    const QString property = arguments[1].toString();
    const auto refuse = [&](const char* error, const QString& text) {
      connection.send(message.createErrorReply(QString::fromLatin1(error), text));
      return true;
    };
    if (message.path() == QLatin1String(kManagerPath)) {
      if (message.member() != QLatin1String("Get") || property != QLatin1String("devicesSysNames")) {
        return refuse("org.freedesktop.DBus.Error.UnknownProperty", property);
      }
      connection.send(message.createReply(QVariant::fromValue(QDBusVariant(QStringList(devices_.keys())))));
      return true;
    }
    const QString name = message.path().section(QLatin1Char('/'), -1);
    if (!devices_.contains(name)) return refuse("org.freedesktop.DBus.Error.UnknownObject", message.path());
    Device& device = devices_[name];
    if (!device.contains(property)) return refuse("org.freedesktop.DBus.Error.UnknownProperty", property);
    if (message.member() == QLatin1String("Get")) {
      connection.send(message.createReply(QVariant::fromValue(QDBusVariant(device[property]))));
      return true;
    }
    if (message.member() != QLatin1String("Set") || arguments.size() != 3) return false;
    // Only the acceleration settings are writable, each in its own type.
    const QVariant given = arguments[2].value<QDBusVariant>().variant();
    if (!property.startsWith(QLatin1String("pointerAcceleration")) || given.metaType() != device[property].metaType()) {
      return refuse("org.freedesktop.DBus.Error.InvalidArgs", QStringLiteral("cannot set ") + property);
    }
    device[property] = given;
    std::printf("%s %s %s\n", qPrintable(name), qPrintable(property), qPrintable(given.toString()));
    std::fflush(stdout);
    connection.send(message.createReply());
    return true;
  }

 private:
  QMap<QString, Device> devices_{{QStringLiteral("event3"), MakeDevice(true, false)},
                                 {QStringLiteral("event4"), MakeDevice(true, true)},
                                 {QStringLiteral("event9"), MakeDevice(false, false)}};
};

}  // namespace

int main(int argc, char** argv) {
  QCoreApplication app(argc, argv);
  QDBusConnection bus = QDBusConnection::sessionBus();
  InputDevices devices;
  if (!bus.registerVirtualObject(QString::fromLatin1(kManagerPath), &devices,
                                 QDBusConnection::SubPath) ||
      !bus.registerService(QStringLiteral("org.kde.KWin"))) {
    std::fprintf(stderr, "kwin_input_devices: cannot take org.kde.KWin\n");
    return 1;
  }
  return app.exec();
}
