// The GNOME Shell focus watcher: Korvane's Shell extension calls FocusChanged on the program's bus object.
// The program only checks that the Shell has it enabled, and says how to enable it when not.
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusReply>
#include <QVariantMap>

#include "gui/focus_watch_backends_linux.h"

namespace korvane {

namespace {

// The extension states of the Shell's extension interface that tell more than "not enabled".
enum ExtensionState { kEnabled = 1, kError = 3, kOutOfDate = 4 };

std::string CheckExtension() {
  QDBusMessage message =
      QDBusMessage::createMethodCall(QStringLiteral("org.gnome.Shell"), QStringLiteral("/org/gnome/Shell"),
                                     QStringLiteral("org.gnome.Shell.Extensions"), QStringLiteral("GetExtensionInfo"));
  message.setArguments({QString::fromLatin1(kGnomeShellExtension)});
  const QDBusReply<QVariantMap> info = QDBusConnection::sessionBus().call(message);
  const std::string uuid = kGnomeShellExtension;
  if (!info.isValid()) return "GNOME Shell is not on the session bus (" + info.error().message().toStdString() + ")";
  if (info.value().isEmpty()) {
    return "the Shell does not have the extension " + uuid +
           " (it comes with Korvane's package in share/gnome-shell/extensions; log out and in after installing)";
  }
  switch (info.value().value(QStringLiteral("state")).toInt()) {
    case kEnabled: return {};
    case kError:
      return "the extension " + uuid + " failed: " +
             info.value().value(QStringLiteral("error")).toString().toStdString();
    case kOutOfDate: return "the extension " + uuid + " does not support this version of GNOME Shell";
    default: return "the extension is not enabled: run `gnome-extensions enable " + uuid + "`";
  }
}

class GnomeShellFocusWatcher : public FocusWatcher {
 public:
  GnomeShellFocusWatcher() : problem_(CheckExtension()) {}

  std::string Describe() const override {
    if (!problem_.empty()) return "focus: GNOME Shell extension, not active: " + problem_;
    return "focus: GNOME Shell extension " + std::string(kGnomeShellExtension) + ", active";
  }

 private:
  std::string problem_;
};

}  // namespace

std::unique_ptr<FocusWatcher> MakeGnomeShellFocusWatcher() { return std::make_unique<GnomeShellFocusWatcher>(); }

}  // namespace korvane
