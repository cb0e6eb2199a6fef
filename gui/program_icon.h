#pragma once

#include <QByteArray>
#include <QIcon>
#include <QImage>

namespace korvane {

// The program's icon: a rounded dark tile with a cyan border and a cyan "K". One drawing gives the window
// and tray icon, the PNG sizes of the icon theme and its scalable SVG, so that they all look the same.
QImage ProgramIconImage(int size);
QByteArray ProgramIconSvg();
QIcon ProgramIcon();

}  // namespace korvane
