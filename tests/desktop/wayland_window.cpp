// A Wayland window of a given app id and title, for the desktop tests of the focus watchers:
//   korvane_wayland_window APP_ID TITLE
// It stays until the program is ended.
#include <QGuiApplication>
#include <QRasterWindow>
#include <cstdio>

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: %s APP_ID TITLE\n", argv[0]);
    return 2;
  }
  QGuiApplication app(argc, argv);
  QGuiApplication::setDesktopFileName(QString::fromUtf8(argv[1]));
  QRasterWindow window;
  window.setTitle(QString::fromUtf8(argv[2]));
  window.resize(300, 200);
  window.show();
  return app.exec();
}
