// The main window drawn offscreen on the emulated mouse: a full repaint, a section opened and closed, and
// a hover look.
#include <QApplication>
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>

#include <unistd.h>

#include "device/emulated_mouse.h"
#include "gui/tavik_dlg.h"

namespace korvane {
namespace {

namespace fs = std::filesystem;

// A program folder of its own, copied from the build's.
class Window {
 public:
  Window() : folder_(fs::temp_directory_path() / ("korvane-bench-" + std::to_string(::getpid()))) {
    fs::remove_all(folder_);
    fs::create_directories(folder_);
    for (const fs::directory_entry& entry : fs::directory_iterator(KORVANE_PROGRAM_DIR)) {
      const std::string name = entry.path().filename().string();
      const std::string extension = entry.path().extension().string();
      if (name == "Skins" || extension == ".bin" || extension == ".ini") {
        fs::copy(entry.path(), folder_ / name, fs::copy_options::recursive);
      }
    }
    dialog_ = std::make_unique<CTavikDlg>(ProgramFolder(folder_), mouse_.backend());
    dialog_->controller().Start();
  }
  ~Window() {
    dialog_.reset();
    fs::remove_all(folder_);
  }
  CTavikDlg& dialog() { return *dialog_; }

 private:
  fs::path folder_;
  EmulatedMouse mouse_;
  std::unique_ptr<CTavikDlg> dialog_;
};

Window& TheWindow() {
  static Window window;
  return window;
}

void BM_FullRepaint(benchmark::State& state) {
  CTavikDlg& dialog = TheWindow().dialog();
  for (auto _ : state) dialog.RepaintMainWindow();
}
BENCHMARK(BM_FullRepaint)->Unit(benchmark::kMicrosecond);

void BM_OpenAndCloseSection(benchmark::State& state) {
  CTavikDlg& dialog = TheWindow().dialog();
  dialog.RepaintMainWindow();
  for (auto _ : state) {
    dialog.ToggleSection(MainSection::kCpiSetting);
    dialog.ToggleSection(MainSection::kCpiSetting);
  }
}
BENCHMARK(BM_OpenAndCloseSection)->Unit(benchmark::kMicrosecond);

void BM_HoverRepaint(benchmark::State& state) {
  CTavikDlg& dialog = TheWindow().dialog();
  dialog.RepaintMainWindow();
  for (auto _ : state) {
    dialog.pages()->PointerMoved(950, 619);  // onto Save
    dialog.pages()->PointerMoved(600, 480);  // and off it
  }
}
BENCHMARK(BM_HoverRepaint)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace korvane

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication application(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
