// Another X client that wants the keyboard, for the desktop tests of the key captures:
//   korvane_keyboard_grab try          exits 0 and prints "grabbed" when it could take the keyboard,
//                                      1 and "refused" when another client holds it
//   korvane_keyboard_grab hold SECONDS takes the keyboard (waiting while another client holds it), prints
//                                      "held" and lets it go after SECONDS
// Its window is a pixel that the window manager neither decorates nor focuses.
#include <QGuiApplication>
#include <QTimer>
#include <QWindow>
#include <cstdio>
#include <cstdlib>
#include <cstring>

int main(int argc, char** argv) {
  const bool hold = argc == 3 && std::strcmp(argv[1], "hold") == 0;
  if (!hold && !(argc == 2 && std::strcmp(argv[1], "try") == 0)) {
    std::fprintf(stderr, "usage: %s try | hold SECONDS\n", argv[0]);
    return 2;
  }
  QGuiApplication app(argc, argv);
  QWindow window;
  window.setFlags(Qt::ToolTip | Qt::X11BypassWindowManagerHint);
  window.setGeometry(0, 0, 1, 1);
  window.show();
  QTimer attempt;
  QObject::connect(&attempt, &QTimer::timeout, [&] {
    if (!window.isExposed()) return;
    if (window.setKeyboardGrabEnabled(true)) {
      attempt.stop();
      std::puts(hold ? "held" : "grabbed");
      std::fflush(stdout);
      if (!hold) app.exit(0);
      else QTimer::singleShot(static_cast<int>(std::atof(argv[2]) * 1000), &app, [&] { app.exit(0); });
    } else if (!hold) {
      std::puts("refused");
      app.exit(1);
    }
  });
  attempt.start(50);
  return app.exec();
}
