#include "gui/screenshot.h"

#include <QApplication>
#include <QMouseEvent>
#include <QPainter>
#include <memory>

#include "app/command_line.h"
#include "config/ini_file.h"
#include "gui/combo_dialog.h"
#include "gui/config_dialog.h"
#include "gui/macro_dialog.h"
#include "gui/macro_program_dialog.h"
#include "gui/main_pages.h"
#include "gui/skin_painter.h"
#include "gui/single_dialog.h"
#include "gui/skin_message_box.h"
#include "gui/tavik_dlg.h"
#include "macro/macro_section.h"
#include "ui/main_page_layout.h"
#include "ui/main_window_geometry.h"

namespace korvane {

namespace {

// A window that a step opens, shown without its own loop; deleted with the screenshot.
std::unique_ptr<QWidget> OpenWindow(CTavikDlg& window, std::string_view step) {
  MainController& controller = window.controller();
  std::unique_ptr<QWidget> opened;
  if (step == kOpenSingleKey) {
    opened = std::make_unique<CSingleDialog>(&window, controller.skin(), controller.language());
  } else if (step == kOpenComboKey) {
    opened = std::make_unique<CComboDialog>(&window, controller.skin(), controller.language());
  } else if (step == kOpenMacroKey) {
    opened = std::make_unique<CMacroDialog>(&window, controller.skin(), controller.language(),
                                            MacroNames(IniFile(controller.files().macroPath()).Load()));
  } else if (step == kOpenMacroManager || step == kOpenRecording) {
    auto manager = std::make_unique<CMacroProgramDialog>(&window, controller);
    if (step == kOpenRecording) {
      const QPoint record = ToQRect(AreaRect(MacroArea::kRecord)).center();
      QMouseEvent press(QEvent::MouseButtonPress, record, manager->mapToGlobal(record), Qt::LeftButton,
                        Qt::LeftButton, Qt::NoModifier);
      QCoreApplication::sendEvent(manager.get(), &press);
    }
    opened = std::move(manager);
  } else if (step == kOpenProfileManager) {
    opened = std::make_unique<CConfigDialog>(&window, controller, [](std::string_view) { return false; });
  } else if (step == kOpenMessage) {
    opened = std::make_unique<CSkinMessageBox>(&window, controller.skin(), MessageBoxKind::kQuestion,
                                               controller.strings().warningTitle, controller.messages().resetQuestion);
  }
  if (opened) opened->show();
  return opened;
}

}  // namespace

QImage TakeScreenshot(CTavikDlg& window, const std::vector<std::string>& steps) {
  std::vector<std::unique_ptr<QWidget>> opened;
  MainPages* pages = window.pages();
  for (const std::string& step : steps) {
    if (pages == nullptr) break;
    if (step == kOpenTopView) {
      pages->SwitchView(kTopView);
    } else if (step == kOpenPage2) {
      const int bottom = kTrackBottom - kThumbHeight;
      window.MoveThumb(bottom);
      window.OnThumbMoved(bottom);
    } else if (step == kOpenHelp) {
      const Rect& help = ButtonInfo(MainButton::kHelp).rect;
      window.controller().MainClickDispatcher(pages->state(), help.left + 2, help.top + 2);
    } else if (const int button = OpenStepButton(step); button >= 0) {
      window.controller().ToggleAssignmentList(button);
    } else if (std::unique_ptr<QWidget> shown = OpenWindow(window, step)) {
      opened.push_back(std::move(shown));
    } else if (const auto section = SectionByKey(step)) {
      window.ToggleSection(*section);
    }
  }
  QCoreApplication::processEvents();
  QImage image = window.grab().toImage();
  // Every other window the steps opened (the help panel among them), centred over the main window: the
  // screen that would place them is not there.
  QPainter painter(&image);
  for (QWidget* top : QApplication::topLevelWidgets()) {
    if (top == &window || !top->isVisible() || top->parentWidget() != &window) continue;
    const QImage face = top->grab().toImage();
    painter.drawImage((image.width() - face.width()) / 2, (image.height() - face.height()) / 2, face);
  }
  return image;
}

}  // namespace korvane
