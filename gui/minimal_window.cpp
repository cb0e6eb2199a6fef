#include "gui/minimal_window.h"

#include <QApplication>
#include <QPainter>
#include <QWidget>

namespace korvane {

namespace {

class Window : public QWidget {
 protected:
  void paintEvent(QPaintEvent*) override {
    QPainter painter(this);
    painter.fillRect(rect(), QColor(20, 24, 30));
    painter.setPen(Qt::white);
    painter.drawText(rect(), Qt::AlignCenter, QStringLiteral("Minimal"));
  }
};

}  // namespace

int RunMinimalWindow(int argc, char** argv) {
  QApplication application(argc, argv);
  Window window;
  window.setWindowTitle(QStringLiteral("Minimal"));
  window.setFixedSize(1000, 640);
  if (argc == 3 && QString::fromLocal8Bit(argv[1]) == QStringLiteral("--screenshot")) {
    return window.grab().save(QString::fromLocal8Bit(argv[2]), "PNG") ? 0 : 1;
  }
  window.show();
  return application.exec();
}

}  // namespace korvane
