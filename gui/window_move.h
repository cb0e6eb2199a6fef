#pragma once

#include <QMouseEvent>
#include <QPoint>
#include <QWidget>
#include <optional>

namespace korvane {

// A frameless window moved by a press on its face. The window manager takes the move over only once the
// pointer has moved with the button held: a plain click, whose release can reach the window manager before
// the move request does, would otherwise leave it moving the window until the next click.
class PendingWindowMove {
 public:
  void Press(const QMouseEvent* event) { from_ = event->globalPosition().toPoint(); }
  // From the window's mouseMoveEvent; true when the move started.
  bool Moved(QWidget* window, const QMouseEvent* event);

 private:
  std::optional<QPoint> from_;
};

// Moves a secondary window, before it shows, to where PlaceSecondaryWindow puts it on the main window's
// screen. Wayland compositors place windows themselves and ignore a program's moves, so there it is left.
void PlaceBesideMainWindow(QWidget& window, const QWidget& mainWindow);
// Moves a message box, before it shows, over its owner's window where PlaceOverWindow puts it (on the
// primary screen when it has no owner); left to the compositor under Wayland.
void PlaceOverOwner(QWidget& window, const QWidget* owner);

}  // namespace korvane
