#pragma once

namespace korvane {

// The application object: reads the command line, keeps the program to one instance, chooses the
// mouse backend, and runs the main window until Exit.
class CTavikApp {
 public:
  // Exit code: 0 after Exit, for a second instance and after a screenshot; 2 for a bad command line;
  // 1 when there is no display to show the window on, or the screenshot could not be written or shows a
  // window that reported a problem (printed on standard error).
  static int Run(int argc, char** argv);
};

}  // namespace korvane
