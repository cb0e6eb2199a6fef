// Draws the default skin "Default" into the folder named on the command line, then touches the stamp file
// named after it. Fails, naming each image, when the skin does not match the inventory.
#include <QFile>
#include <QGuiApplication>

#include <cstdio>

#include "tools/skingen/skin_art.h"

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: skingen SKIN_FOLDER STAMP_FILE\n");
    return 2;
  }
  QGuiApplication app(argc, argv);
  const QString folder = QString::fromLocal8Bit(argv[1]);
  korvane::skingen::SkinWriter writer(folder);
  korvane::skingen::DrawMainWindow(writer);
  korvane::skingen::DrawMouseViews(writer);
  korvane::skingen::DrawButtonAssignment(writer);
  korvane::skingen::DrawSliderPanels(writer);
  korvane::skingen::DrawDialPanels(writer);
  korvane::skingen::DrawKeyDialogs(writer);
  korvane::skingen::DrawMacroManager(writer);
  korvane::skingen::DrawProfileAndHelp(writer);
  if (!writer.Finish()) return 1;
  QFile stamp(QString::fromLocal8Bit(argv[2]));
  if (!stamp.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
    std::fprintf(stderr, "skingen: cannot write %s\n", argv[2]);
    return 1;
  }
  return 0;
}
