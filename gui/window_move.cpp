#include "gui/window_move.h"

#include <QApplication>
#include <QWindow>

namespace korvane {

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

}  // namespace korvane
