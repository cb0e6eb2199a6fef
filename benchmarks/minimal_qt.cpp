// The floor for start-up: a Qt program that shows one window of the main window's size and paints it
// with one caption (so that, like any window with text, it pays for the font set-up). With --screenshot FILE it renders the window to FILE instead, as korvane --screenshot does.
#include <QApplication>
#include <QPainter>
#include <QTimer>
#include <QWidget>

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

int main(int argc, char** argv) {
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
