#include "gui/program_service.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusVariant>
#include <QDBusVirtualObject>
#include <QFile>
#include <QStringList>
#include <QVariantMap>
#include <utility>

#include "common/path_text.h"
#include "device/protocol_constants.h"

namespace korvane {

namespace {

constexpr char kPropertiesInterface[] = "org.freedesktop.DBus.Properties";

QString Text(std::string_view text) { return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())); }

// The interface as packaging/dbus/ describes it, without the surrounding node.
QString InterfaceXml() {
  QFile file(QStringLiteral(":/dbus/org.tellurix.Korvane1.xml"));
  if (!file.open(QIODevice::ReadOnly)) return {};
  const QString xml = QString::fromUtf8(file.readAll());
  const qsizetype begin = xml.indexOf(QLatin1String("<interface"));
  const QLatin1String end("</interface>");
  const qsizetype last = xml.indexOf(end);
  return begin < 0 || last < 0 ? QString() : xml.mid(begin, last + end.size() - begin);
}

// A signal of the program's interface.
QDBusMessage Signal(const QString& member) {
  return QDBusMessage::createSignal(QLatin1String(kProgramObjectPath), QLatin1String(kProgramInterface), member);
}

QString ErrorName(MainController::UseResult::Outcome outcome) {
  using Outcome = MainController::UseResult::Outcome;
  const char* name = "Failed";
  switch (outcome) {
    case Outcome::kNoSuchProfile: name = "NoSuchProfile"; break;
    case Outcome::kUnsavedEdits: name = "UnsavedEdits"; break;
    case Outcome::kBusy: name = "Busy"; break;
    case Outcome::kNoMouse: name = "NoMouse"; break;
    case Outcome::kFailed:
    case Outcome::kDone: break;
  }
  return QStringLiteral("%1.Error.%2").arg(QLatin1String(kProgramInterface), QLatin1String(name));
}

// The object at kProgramObjectPath. It answers from the controller as it is at each call, and sends
// ProfileChanged and PropertiesChanged when what it would answer has changed.
class ProgramObject : public QDBusVirtualObject {
 public:
  ProgramObject(MainController& controller, std::function<void()> show)
      : controller_(controller), show_(std::move(show)), xml_(InterfaceXml()), last_(Properties()) {}

  QString introspect(const QString&) const override { return xml_; }

  bool handleMessage(const QDBusMessage& message, const QDBusConnection& connection) override {
    if (message.interface() == QLatin1String(kPropertiesInterface)) return HandleProperties(message, connection);
    if (message.interface() != QLatin1String(kProgramInterface)) return false;
    const QString member = message.member();
    const QString signature = message.signature();
    if (member == QLatin1String("Show") && signature.isEmpty()) {
      show_();
      connection.send(message.createReply());
    } else if (member == QLatin1String("ListProfiles") && signature.isEmpty()) {
      QStringList names;
      for (const std::string& name : controller_.ProfileNames()) names.append(Text(name));
      connection.send(message.createReply(names));
    } else if (member == QLatin1String("UseProfile") && signature == QLatin1String("i")) {
      const MainController::UseResult result = controller_.UseProfile(message.arguments().at(0).toInt());
      connection.send(result.outcome == MainController::UseResult::Outcome::kDone
                          ? message.createReply()
                          : message.createErrorReply(ErrorName(result.outcome), Text(result.message)));
    } else if (member == QLatin1String("FocusChanged") && signature == QLatin1String("ss")) {
      controller_.OnFocusChanged(message.arguments().at(0).toString().toStdString(),
                                 message.arguments().at(1).toString().toStdString());
      connection.send(message.createReply());
    } else {
      connection.send(message.createErrorReply(
          QDBusError::UnknownMethod,
          QStringLiteral("%1.%2 with arguments \"%3\" is not a method of %4")
              .arg(message.interface(), member, signature, QLatin1String(kProgramObjectPath))));
    }
    return true;
  }

  // Called whenever the controller's profiles may have changed.
  void Changed(QDBusConnection connection) {
    const QVariantMap now = Properties();
    QVariantMap changed;
    for (auto it = now.constBegin(); it != now.constEnd(); ++it) {
      if (last_.value(it.key()) != it.value()) changed.insert(it.key(), it.value());
    }
    if (changed.isEmpty()) return;
    const bool profiles =
        changed.contains(QStringLiteral("CurrentProfile")) || changed.contains(QStringLiteral("MouseProfile"));
    last_ = now;
    QDBusMessage properties = QDBusMessage::createSignal(
        QLatin1String(kProgramObjectPath), QLatin1String(kPropertiesInterface), QStringLiteral("PropertiesChanged"));
    properties << QLatin1String(kProgramInterface) << changed << QStringList();
    connection.send(properties);
    if (!profiles) return;
    QDBusMessage signal = Signal(QStringLiteral("ProfileChanged"));
    signal << now.value(QStringLiteral("CurrentProfile")) << now.value(QStringLiteral("MouseProfile"));
    connection.send(signal);
  }

  static void MouseEvent(QDBusConnection connection, const DeviceEvent& event) {
    const bool stage = event.type != EVENT_MACRO_SWITCH;
    QDBusMessage signal = Signal(stage ? QStringLiteral("StageSwitched") : QStringLiteral("MacroSwitched"));
    signal << static_cast<int>(event.value);
    connection.send(signal);
  }

 private:
  QVariantMap Properties() const {
    return {{QStringLiteral("CurrentProfile"), Text(controller_.CurrentProfileName())},
            {QStringLiteral("MouseProfile"), Text(controller_.mouseProfile())},
            {QStringLiteral("Connected"), controller_.connected()},
            {QStringLiteral("Folder"), Text(PathToUtf8(controller_.files().folder().dir()))}};
  }

  bool HandleProperties(const QDBusMessage& message, const QDBusConnection& connection) {
    const QList<QVariant> arguments = message.arguments();
    const QString member = message.member();
    const bool ours = !arguments.isEmpty() && arguments.at(0).toString() == QLatin1String(kProgramInterface);
    if (member == QLatin1String("GetAll") && message.signature() == QLatin1String("s")) {
      connection.send(message.createReply(ours ? Properties() : QVariantMap()));
      return true;
    }
    if (member == QLatin1String("Get") && message.signature() == QLatin1String("ss") && ours) {
      const QVariantMap properties = Properties();
      const QString name = arguments.at(1).toString();
      connection.send(properties.contains(name)
                          ? message.createReply(QVariant::fromValue(QDBusVariant(properties.value(name))))
                          : message.createErrorReply(
                                QDBusError::UnknownProperty,
                                QStringLiteral("%1 has no property %2").arg(QLatin1String(kProgramInterface), name)));
      return true;
    }
    if (member == QLatin1String("Set") && ours) {
      connection.send(message.createErrorReply(
          QDBusError::PropertyReadOnly,
          QStringLiteral("The properties of %1 are read-only").arg(QLatin1String(kProgramInterface))));
      return true;
    }
    return false;
  }

  MainController& controller_;
  std::function<void()> show_;
  QString xml_;
  QVariantMap last_;
};

}  // namespace

bool OfferProgramService(MainController& controller, std::function<void()> show) {
  QDBusConnection bus = QDBusConnection::sessionBus();
  if (!bus.isConnected()) return false;
  // The object lives as long as the program: the bus keeps a pointer to it.
  static ProgramObject* object = nullptr;
  if (object != nullptr) return false;
  object = new ProgramObject(controller, std::move(show));
  controller.setProfilesChanged([] { object->Changed(QDBusConnection::sessionBus()); });
  controller.setMouseEvent(
      [](const DeviceEvent& event) { ProgramObject::MouseEvent(QDBusConnection::sessionBus(), event); });
  return bus.registerVirtualObject(QLatin1String(kProgramObjectPath), object) &&
         bus.registerService(QLatin1String(kProgramServiceName));
}

bool AskRunningProgramToShow() {
  QDBusConnection bus = QDBusConnection::sessionBus();
  if (!bus.isConnected()) return false;
  const QDBusMessage call = QDBusMessage::createMethodCall(
      QLatin1String(kProgramServiceName), QLatin1String(kProgramObjectPath), QLatin1String(kProgramInterface),
      QStringLiteral("Show"));
  return bus.call(call, QDBus::Block, 2000).type() == QDBusMessage::ReplyMessage;
}

}  // namespace korvane
