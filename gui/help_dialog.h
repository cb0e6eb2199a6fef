#pragma once

#include <QImage>
#include <QWidget>

#include "app/main_controller.h"

namespace korvane {

// The help panel: a borderless child of the main window under its Help button. It paints its own canvas
// and hands presses to the controller, which decides what each row does.
class CHelpDialog : public QWidget {
 public:
  CHelpDialog(QWidget* mainWindow, MainController& controller);

  const QImage& canvas() const { return canvas_; }

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;

 private:
  MainController& controller_;
  QImage canvas_;
};

}  // namespace korvane
