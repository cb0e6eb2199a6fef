#pragma once

#include <QImage>
#include <QPointer>
#include <QWidget>
#include <atomic>
#include <map>
#include <memory>
#include <optional>

#include "app/autostart.h"
#include "app/main_controller.h"
#include "app/main_view.h"
#include "app/profile_file_choice.h"
#include "common/folder_watch.h"
#include "device/emulated_mouse.h"
#include "gui/config_dialog.h"
#include "gui/main_pages.h"
#include "gui/window_move.h"

class QLineEdit;
class QListWidget;
class QMenu;
class QSystemTrayIcon;
class QTimer;

namespace korvane {

class CGdipButton;
class CHelpDialog;

// The main window: a frameless, fixed-size skinned surface whose face is one persistent canvas. It
// paints and hit-tests; what a press means lives in MainController and the page rules.
class CTavikDlg : public QWidget, public MainView {
 public:
  CTavikDlg(ProgramFolder folder, HidBackend& backend);
  ~CTavikDlg() override;

  MainController& controller() { return *controller_; }
  // Null until the skin is set up.
  MainPages* pages() { return pages_.get(); }
  const QImage& canvas() const { return canvas_; }
  // Shows the canvas changes on the screen.
  void Refresh() { update(); }
  // The scroll thumb moved to top (posted by the thumb, or set by the caller).
  void OnThumbMoved(int top);
  void MoveThumb(int top);
  // With --emulate: the tray menu and a right-click menu drive this mouse. Before the controller starts.
  void SetEmulatedMouse(EmulatedMouse* mouse) { emulated_ = mouse; }
  // The tray menu's "Start with the desktop" item writes and removes this entry; no item without one.
  void SetAutostart(Autostart autostart) { autostart_ = std::move(autostart); }
  // For a run that nobody watches (a screenshot): messages go to standard error instead of boxes, and
  // questions are answered "No". Before the controller starts.
  void SetNoDialogs() { noDialogs_ = true; }
  // Whether a message was printed for want of a box.
  bool messagesWithoutDialog() const { return messagesWithoutDialog_; }

  // MainView
  void ShowMessage(std::string_view text, std::string_view caption) override;
  void ShowBalloon(std::string_view text, std::string_view title, int timeoutMs) override;
  void ShowCommandMessage(const CommandMessage& message) override;
  void HideWindow() override;
  void ShowWindow() override;
  void SetUpWindow() override;
  void RepaintMainWindow() override;
  void RedrawFooter() override;
  void AddTrayIcon(std::string_view tooltip) override;
  void SetWaitCursor(bool wait) override;
  bool OpenWebPage(std::string_view address) override;
  void ShowHelpPanel(bool shown) override;
  std::optional<MacroPages> RunMacroManager() override;
  void ShowAssignmentList(int button) override;
  void CloseAssignmentList() override;
  void RedrawButtonLabel(int button) override;
  void RedrawPanels() override;
  // A section opened or closed, with its panel's number boxes.
  void ToggleSection(MainSection section);
  std::optional<StageColour> ChooseStageColour(int stage, StageColour current) override;
  // The number boxes of the open panels; null while their panel is closed.
  QLineEdit* stageBox(int stage) { return stageBoxes_[static_cast<std::size_t>(stage)]; }
  QLineEdit* scrollLinesBox() { return scrollBox_; }
  std::optional<std::string> RunSingleKeyDialog() override;
  std::optional<ComboKeyResult> RunComboKeyDialog() override;
  std::optional<MacroKeyResult> RunMacroKeyDialog(const std::vector<std::string>& macroNames) override;
  // Null while no button's list is open.
  QListWidget* assignmentList() { return assignmentList_; }
  QListWidget* subList() { return subList_; }
  void ShowProfileManager() override;
  std::optional<std::filesystem::path> ChooseProfileFile(bool save, std::string_view profileName) override;
  bool Confirm(std::string_view question, std::string_view caption) override;
  // Null while the profile manager is closed.
  CConfigDialog* profileManager() { return profileManager_; }
  Status StartProgram(const std::filesystem::path& program) override;
  // Null while the help panel is closed.
  CHelpDialog* helpPanel() { return help_; }
  void StartTimer(MainTimer timer, int milliseconds) override;
  void StopTimer(MainTimer timer) override;
  void Quit() override;
  void RunOnWindowThread(std::function<void()> work, bool wait) override;

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void wheelEvent(QWheelEvent* event) override;
  void leaveEvent(QEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  void contextMenuEvent(QContextMenuEvent* event) override;

 private:
  QTimer* TimerFor(MainTimer timer);
  // Creates or removes the panels' number boxes to match the open panels, and shows the record in them.
  void SyncPanelBoxes();
  QLineEdit* MakePanelBox(const Rect& rect, std::function<std::string(std::string_view)> take);
  static void PlacePanelBox(QLineEdit* box, const Rect& image);
  // The sub-list of the hovered row of the open list, if its kind has one.
  void ShowSubList(int row);
  // The emulated mouse's items, as the mouse is now.
  void AddEmulatorItems(QMenu& menu);
  // Follows the program folder's files, so that changes made by korvanectl reach the window.
  void WatchProgramFolder();

  QImage canvas_;
  std::unique_ptr<MainPages> pages_;
  CGdipButton* thumb_ = nullptr;
  QSystemTrayIcon* tray_ = nullptr;
  CHelpDialog* help_ = nullptr;
  QListWidget* assignmentList_ = nullptr;
  QListWidget* subList_ = nullptr;
  int subListRow_ = -1;  // the row of the open list that subList_ belongs to
  int listButton_ = -1;
  PendingWindowMove move_;
  std::array<QLineEdit*, 4> stageBoxes_{};
  QLineEdit* scrollBox_ = nullptr;
  QLineEdit* takingFrom_ = nullptr;  // the box whose edit the record is taking
  QPointer<CConfigDialog> profileManager_;
  EmulatedMouse* emulated_ = nullptr;
  std::optional<Autostart> autostart_;
  std::optional<QPoint> restorePosition_;  // where the window was when it went to the tray
  std::map<MainTimer, QTimer*> timers_;
  bool waitCursor_ = false;
  bool noDialogs_ = false;
  ProfileFileChoice fileChoice_;
  bool messagesWithoutDialog_ = false;
  std::unique_ptr<FolderWatch> folderWatch_;
  std::atomic<bool> closing_{false};
  // Last, so that it goes first: its reader may still call into the window while it stops.
  std::unique_ptr<MainController> controller_;
};

}  // namespace korvane
