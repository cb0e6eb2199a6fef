// The KWin focus watcher: Korvane's script, loaded into KWin over its scripting interface, calls
// FocusChanged on the program's bus object. It stays loaded while the program runs.
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusReply>
#include <QString>

#include "gui/focus_watch_backends_linux.h"

namespace korvane {

namespace {

const QString kKWinService = QStringLiteral("org.kde.KWin");
const QString kScriptingPath = QStringLiteral("/Scripting");
const QString kScriptingInterface = QStringLiteral("org.kde.kwin.Scripting");
// The script's name in KWin: one at a time, whichever copy of the program loaded it.
const QString kPluginName = QStringLiteral("korvane-focus");

QDBusMessage Call(const QString& path, const QString& interface, const QString& method, const QVariantList& arguments) {
  QDBusMessage message = QDBusMessage::createMethodCall(kKWinService, path, interface, method);
  message.setArguments(arguments);
  return QDBusConnection::sessionBus().call(message);
}

QDBusMessage Scripting(const QString& method, const QVariantList& arguments) {
  return Call(kScriptingPath, kScriptingInterface, method, arguments);
}

class KWinFocusWatcher : public FocusWatcher {
 public:
  explicit KWinFocusWatcher(const std::filesystem::path& script) {
    std::error_code error;
    if (!std::filesystem::is_regular_file(script, error)) {
      problem_ = "the script " + script.string() + " is missing";
      return;
    }
    // A copy that ended without unloading it left it behind, maybe from another folder.
    const QDBusReply<bool> loaded = Scripting(QStringLiteral("isScriptLoaded"), {kPluginName});
    if (!loaded.isValid()) {
      problem_ = "KWin's scripting is not on the session bus (" + loaded.error().message().toStdString() + ")";
      return;
    }
    if (loaded.value()) Scripting(QStringLiteral("unloadScript"), {kPluginName});
    const QDBusReply<int> id =
        Scripting(QStringLiteral("loadScript"), {QString::fromStdString(script.string()), kPluginName});
    if (!id.isValid() || id.value() < 0) {
      problem_ = "KWin did not load " + script.string();
      return;
    }
    loaded_ = true;
    // KWin 6 has the script's object under /Scripting, KWin 5 at the root.
    const QString number = QString::number(id.value());
    const QString interface = QStringLiteral("org.kde.kwin.Script");
    for (const QString& path : {QStringLiteral("/Scripting/Script") + number, QLatin1Char('/') + number}) {
      if (Call(path, interface, QStringLiteral("run"), {}).type() == QDBusMessage::ReplyMessage) return;
    }
    problem_ = "KWin loaded the script but did not run it";
  }
  ~KWinFocusWatcher() override {
    if (loaded_) Scripting(QStringLiteral("unloadScript"), {kPluginName});
  }

  std::string Describe() const override {
    if (!problem_.empty()) return "focus: KWin script, not active: " + problem_;
    return "focus: KWin script, active";
  }

 private:
  bool loaded_ = false;
  std::string problem_;
};

}  // namespace

std::unique_ptr<FocusWatcher> MakeKWinFocusWatcher(const std::filesystem::path& script) {
  return std::make_unique<KWinFocusWatcher>(script);
}

}  // namespace korvane
