#include "gui/window_move.h"

#include <QApplication>
#include <QScreen>
#include <QWindow>

#include "ui/window_placement.h"

namespace korvane {

namespace {

Rect ToRect(const QRect& rect) { return {rect.left(), rect.top(), rect.right() + 1, rect.bottom() + 1}; }

bool ProgramPlacesWindows() { return !QGuiApplication::platformName().startsWith(QStringLiteral("wayland")); }

}  // namespace

bool PendingWindowMove::Moved(QWidget* window, const QMouseEvent* event) {
  if (!from_) return false;
  if ((event->buttons() & Qt::LeftButton) == 0) {
    from_.reset();
    return false;
  }
  if ((event->globalPosition().toPoint() - *from_).manhattanLength() < QApplication::startDragDistance()) return false;
  from_.reset();
  QWindow* handle = window->windowHandle();
  return handle != nullptr && handle->startSystemMove();
}

void PlaceBesideMainWindow(QWidget& window, const QWidget& mainWindow) {
  if (!ProgramPlacesWindows()) return;
  const QScreen* screen = mainWindow.screen();
  if (screen == nullptr) return;
  const QSize size = window.frameSize();
  const WindowPosition at = PlaceSecondaryWindow(ToRect(screen->availableGeometry()),
                                                 ToRect(mainWindow.frameGeometry()), size.width(), size.height());
  window.move(at.x, at.y);
}

void PlaceOverOwner(QWidget& window, const QWidget* owner) {
  if (!ProgramPlacesWindows()) return;
  const QWidget* ownerWindow = owner != nullptr && owner->isVisible() ? owner->window() : nullptr;
  const QScreen* screen = ownerWindow != nullptr ? ownerWindow->screen() : QGuiApplication::primaryScreen();
  if (screen == nullptr) return;
  const QSize size = window.frameSize();
  const Rect frame = ownerWindow != nullptr ? ToRect(ownerWindow->frameGeometry()) : Rect{};
  const WindowPosition at = PlaceOverWindow(ToRect(screen->availableGeometry()), ownerWindow != nullptr ? &frame : nullptr,
                                            size.width(), size.height());
  window.move(at.x, at.y);
}

}  // namespace korvane
