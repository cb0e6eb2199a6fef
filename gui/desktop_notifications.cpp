#include "gui/desktop_notifications.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusVirtualObject>
#include <QStringList>
#include <QVariantMap>

namespace korvane {

namespace {

constexpr char kShowPath[] = "/org/tellurix/Korvane";
constexpr char kShowInterface[] = "org.tellurix.Korvane";

// The object behind kShowServiceName: one method, Show, without arguments.
class ShowObject : public QDBusVirtualObject {
 public:
  explicit ShowObject(std::function<void()> show) : show_(std::move(show)) {}

  QString introspect(const QString&) const override {
    return QStringLiteral("<interface name=\"%1\"><method name=\"Show\"/></interface>").arg(kShowInterface);
  }

  bool handleMessage(const QDBusMessage& message, const QDBusConnection& connection) override {
    if (message.interface() != QLatin1String(kShowInterface) || message.member() != QLatin1String("Show")) {
      return false;
    }
    show_();
    connection.send(message.createReply());
    return true;
  }

 private:
  std::function<void()> show_;
};

}  // namespace

void SendDesktopNotification(const QString& title, const QString& text, int timeoutMs) {
  QDBusMessage call = QDBusMessage::createMethodCall(QStringLiteral("org.freedesktop.Notifications"),
                                                     QStringLiteral("/org/freedesktop/Notifications"),
                                                     QStringLiteral("org.freedesktop.Notifications"),
                                                     QStringLiteral("Notify"));
  QVariantMap hints;
  hints.insert(QStringLiteral("desktop-entry"), QStringLiteral("korvane"));
  call << QStringLiteral("Korvane") << 0u << QStringLiteral("korvane") << title << text << QStringList() << hints
       << timeoutMs;
  QDBusConnection::sessionBus().send(call);
}

bool OfferShowService(std::function<void()> show) {
  QDBusConnection bus = QDBusConnection::sessionBus();
  if (!bus.isConnected()) return false;
  // The object lives as long as the program: the bus keeps a pointer to it.
  static ShowObject* object = nullptr;
  if (object == nullptr) object = new ShowObject(std::move(show));
  return bus.registerVirtualObject(QLatin1String(kShowPath), object) &&
         bus.registerService(QLatin1String(kShowServiceName));
}

bool AskRunningProgramToShow() {
  QDBusConnection bus = QDBusConnection::sessionBus();
  if (!bus.isConnected()) return false;
  const QDBusMessage call = QDBusMessage::createMethodCall(QLatin1String(kShowServiceName), QLatin1String(kShowPath),
                                                           QLatin1String(kShowInterface), QStringLiteral("Show"));
  return bus.call(call, QDBus::Block, 2000).type() == QDBusMessage::ReplyMessage;
}

}  // namespace korvane
