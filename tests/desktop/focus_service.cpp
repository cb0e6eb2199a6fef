// Stands in for the running program's bus object on the session bus, for the desktop tests of the focus
// scripts: it takes the program's name and prints a line for every FocusChanged call,
//   APP_ID<tab>TITLE
#include <QCoreApplication>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusVirtualObject>
#include <cstdio>

namespace {

class Program : public QDBusVirtualObject {
 public:
  QString introspect(const QString&) const override {
    return QStringLiteral(
        "<interface name=\"org.tellurix.Korvane1\">"
        "<method name=\"FocusChanged\"><arg name=\"app_id\" type=\"s\" direction=\"in\"/>"
        "<arg name=\"title\" type=\"s\" direction=\"in\"/></method>"
        "</interface>");
  }

  bool handleMessage(const QDBusMessage& message, const QDBusConnection& connection) override {
    if (message.interface() != QLatin1String("org.tellurix.Korvane1") ||
        message.member() != QLatin1String("FocusChanged") || message.signature() != QLatin1String("ss")) {
      return false;
    }
    std::printf("%s\t%s\n", message.arguments()[0].toString().toUtf8().constData(),
                message.arguments()[1].toString().toUtf8().constData());
    std::fflush(stdout);
    connection.send(message.createReply());
    return true;
  }
};

}  // namespace

int main(int argc, char** argv) {
  QCoreApplication app(argc, argv);
  QDBusConnection bus = QDBusConnection::sessionBus();
  Program program;
  if (!bus.registerVirtualObject(QStringLiteral("/org/tellurix/Korvane"), &program) ||
      !bus.registerService(QStringLiteral("org.tellurix.Korvane"))) {
    std::fprintf(stderr, "focus_service: cannot take org.tellurix.Korvane\n");
    return 1;
  }
  return app.exec();
}
