// Writes the program's icon into an icon theme folder: hicolor/scalable/apps/korvane.svg and
// hicolor/NxN/apps/korvane.png for the sizes menus, panels and trays ask for.
#include <QDir>
#include <QFile>
#include <QGuiApplication>

#include <cstdio>

#include "gui/program_icon.h"

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: icongen ICON_THEME_FOLDER\n");
    return 2;
  }
  QGuiApplication app(argc, argv);
  const QString theme = QString::fromLocal8Bit(argv[1]);
  const auto folder = [&theme](const QString& size) {
    const QString path = theme + "/" + size + "/apps";
    return QDir().mkpath(path) ? path : QString();
  };
  for (int size : {16, 22, 24, 32, 48, 64, 128, 256}) {
    const QString path = folder(QStringLiteral("%1x%1").arg(size));
    if (path.isEmpty() || !korvane::ProgramIconImage(size).save(path + "/korvane.png", "PNG")) {
      std::fprintf(stderr, "icongen: cannot write the %dx%d icon\n", size, size);
      return 1;
    }
  }
  QFile svg(folder("scalable") + "/korvane.svg");
  if (!svg.open(QIODevice::WriteOnly | QIODevice::Truncate) || svg.write(korvane::ProgramIconSvg()) < 0) {
    std::fprintf(stderr, "icongen: cannot write the scalable icon\n");
    return 1;
  }
  return 0;
}
