#pragma once

#include <QImage>
#include <string>
#include <vector>

namespace korvane {

class CTavikDlg;

// The main window after the --open steps, with the windows those steps opened drawn over it, as one
// image: made without a display and without running any window's own loop.
QImage TakeScreenshot(CTavikDlg& window, const std::vector<std::string>& steps);

}  // namespace korvane
