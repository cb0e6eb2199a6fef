#pragma once

#include <filesystem>
#include <memory>

namespace korvane {

// The main window on the emulated mouse, drawn offscreen, for the window benchmarks: the application, the
// mouse and the window of one process, started on a program folder.
class BenchWindow {
 public:
  BenchWindow(int& argc, char** argv, const std::filesystem::path& programFolder);
  ~BenchWindow();

  void RepaintMainWindow();
  void ToggleCpiSection();
  void PointerMoved(int x, int y);

 private:
  struct Parts;
  std::unique_ptr<Parts> parts_;
};

}  // namespace korvane
