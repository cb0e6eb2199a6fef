// The main window drawn offscreen on the emulated mouse: a full repaint, a section opened and closed, and
// a hover look.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <string>

#include <unistd.h>

#include "gui/bench_window.h"

namespace korvane {
namespace {

namespace fs = std::filesystem;

// A program folder of its own, copied from the build's.
class ProgramFolderCopy {
 public:
  ProgramFolderCopy() : folder_(fs::temp_directory_path() / ("korvane-bench-" + std::to_string(::getpid()))) {
    fs::remove_all(folder_);
    fs::create_directories(folder_);
    for (const fs::directory_entry& entry : fs::directory_iterator(KORVANE_PROGRAM_DIR)) {
      const std::string name = entry.path().filename().string();
      const std::string extension = entry.path().extension().string();
      if (name == "Skins" || extension == ".bin" || extension == ".ini") {
        fs::copy(entry.path(), folder_ / name, fs::copy_options::recursive);
      }
    }
  }
  ~ProgramFolderCopy() { fs::remove_all(folder_); }
  const fs::path& path() const { return folder_; }

 private:
  fs::path folder_;
};

BenchWindow* theWindow = nullptr;

void BM_FullRepaint(benchmark::State& state) {
  for (auto _ : state) theWindow->RepaintMainWindow();
}
BENCHMARK(BM_FullRepaint)->Unit(benchmark::kMicrosecond);

void BM_OpenAndCloseSection(benchmark::State& state) {
  theWindow->RepaintMainWindow();
  for (auto _ : state) {
    theWindow->ToggleCpiSection();
    theWindow->ToggleCpiSection();
  }
}
BENCHMARK(BM_OpenAndCloseSection)->Unit(benchmark::kMicrosecond);

void BM_HoverRepaint(benchmark::State& state) {
  theWindow->RepaintMainWindow();
  for (auto _ : state) {
    theWindow->PointerMoved(950, 619);  // onto Save
    theWindow->PointerMoved(600, 480);  // and off it
  }
}
BENCHMARK(BM_HoverRepaint)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace korvane

int main(int argc, char** argv) {
  const korvane::ProgramFolderCopy folder;
  korvane::BenchWindow window(argc, argv, folder.path());
  korvane::theWindow = &window;
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
