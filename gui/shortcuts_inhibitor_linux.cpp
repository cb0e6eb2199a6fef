#include "gui/shortcuts_inhibitor.h"

#include <QGuiApplication>
#include <QWaylandClientExtensionTemplate>
#include <QWindow>
#include <qpa/qplatformnativeinterface.h>

#include "qwayland-keyboard-shortcuts-inhibit-unstable-v1.h"

namespace korvane {

namespace {

// The compositor's inhibitor manager, bound once for the program's life.
class InhibitManager : public QWaylandClientExtensionTemplate<InhibitManager>,
                       public QtWayland::zwp_keyboard_shortcuts_inhibit_manager_v1 {
 public:
  InhibitManager() : QWaylandClientExtensionTemplate<InhibitManager>(1) { initialize(); }
};

class WaylandInhibitor : public ShortcutsInhibitor, public QtWayland::zwp_keyboard_shortcuts_inhibitor_v1 {
 public:
  WaylandInhibitor(struct ::zwp_keyboard_shortcuts_inhibitor_v1* inhibitor, std::function<void(bool)> activeChanged)
      : QtWayland::zwp_keyboard_shortcuts_inhibitor_v1(inhibitor), activeChanged_(std::move(activeChanged)) {}
  ~WaylandInhibitor() override { destroy(); }

 private:
  void zwp_keyboard_shortcuts_inhibitor_v1_active() override { activeChanged_(true); }
  void zwp_keyboard_shortcuts_inhibitor_v1_inactive() override { activeChanged_(false); }

  std::function<void(bool)> activeChanged_;
};

}  // namespace

std::unique_ptr<ShortcutsInhibitor> ShortcutsInhibitor::Create(QWindow* window,
                                                               std::function<void(bool active)> activeChanged) {
  static InhibitManager* manager = new InhibitManager;  // lives as long as the Wayland connection
  QPlatformNativeInterface* native = QGuiApplication::platformNativeInterface();
  if (!manager->isActive() || native == nullptr) return nullptr;
  auto* surface = static_cast<struct ::wl_surface*>(native->nativeResourceForWindow("surface", window));
  auto* seat = static_cast<struct ::wl_seat*>(native->nativeResourceForIntegration("wl_seat"));
  if (surface == nullptr || seat == nullptr) return nullptr;
  return std::make_unique<WaylandInhibitor>(manager->inhibit_shortcuts(surface, seat), std::move(activeChanged));
}

}  // namespace korvane
