#include "gui/bench_window.h"

#include <QApplication>

#include "device/emulated_mouse.h"
#include "gui/tavik_dlg.h"

namespace korvane {

namespace {

// The platform is chosen before the application exists.
int& Offscreen(int& argc) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  return argc;
}

}  // namespace

struct BenchWindow::Parts {
  Parts(int& argc, char** argv, const std::filesystem::path& programFolder)
      : application(Offscreen(argc), argv), dialog(ProgramFolder(programFolder), mouse.backend()) {}

  QApplication application;
  EmulatedMouse mouse;
  CTavikDlg dialog;
};

BenchWindow::BenchWindow(int& argc, char** argv, const std::filesystem::path& programFolder)
    : parts_(std::make_unique<Parts>(argc, argv, programFolder)) {
  parts_->dialog.controller().Start();
}

BenchWindow::~BenchWindow() = default;

void BenchWindow::RepaintMainWindow() { parts_->dialog.RepaintMainWindow(); }

void BenchWindow::ToggleCpiSection() { parts_->dialog.ToggleSection(MainSection::kCpiSetting); }

void BenchWindow::PointerMoved(int x, int y) { parts_->dialog.pages()->PointerMoved(x, y); }

}  // namespace korvane
