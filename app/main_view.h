#pragma once

#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <vector>
#include <string_view>

#include "macro/macro_encoding.h"
#include "profile/config_files.h"
#include "ui/setting_panels.h"

namespace korvane {

// The main window's timers.
enum class MainTimer {
  kSaveGuard = 1,    // 2000 ms after Save: Save accepts presses again
  kResetCursor = 2,  // 6000 ms after Reset: the arrow cursor returns
  kSaveCursor = 3,   // 6000 ms after Save: as for kResetCursor
  kFooterSign = 4,   // after Save or Reset reached the mouse: the footer's sign goes
  kFocusSwitch = 5,  // an application kept the focus this long: its profile goes to the mouse
};

// How long an application must keep the focus before the mouse gets its profile: a quick Alt+Tab
// through windows does not upload at every one.
inline constexpr int kFocusSwitchMs = 1000;

// How long the footer says that Save or Reset reached the mouse.
inline constexpr int kFooterSignMs = 4000;

// Notification servers keep a message up for exactly the time asked; shorter than this cannot be read.
inline constexpr int kShortestReadableBalloonMs = 3000;

// What the combo-key and macro-key dialogs return with OK.
struct ComboKeyResult {
  std::string modifierName, firstKeyName, secondKeyName;
};
struct MacroKeyResult {
  int macroNumber = 0;
  int repeatMode = 0;
  std::string macroName;
};

// A message that asks the user to run a command: the text, the command on a line of its own, then the
// note, with a button labelled copyLabel that puts the command on the clipboard.
struct CommandMessage {
  std::string_view text, command, note, caption, copyLabel;
};

// The controller's messages: message boxes (MessageSink::ShowMessage), balloons and command messages.
class MainNotifier : public MessageSink {
 public:
  // Balloon on the tray icon; title "Info" or "Warning".
  virtual void ShowBalloon(std::string_view text, std::string_view title, int timeoutMs) = 0;
  virtual void ShowCommandMessage(const CommandMessage& message) = 0;
};

// The thread that owns the window (or, without one, the thread that runs the controller).
class WindowThread {
 public:
  virtual ~WindowThread() = default;
  // Runs work on the window's thread. With wait, returns once it has run (or once the view shuts down);
  // used by the reader thread and the hotplug watcher.
  virtual void RunOnWindowThread(std::function<void()> work, bool wait) = 0;
};

// The main window itself: showing and hiding, drawing, the tray icon, the cursor, its panels and lists,
// its timers, and what its buttons start on the desktop.
class WindowSurface {
 public:
  virtual ~WindowSurface() = default;
  virtual void HideWindow() = 0;
  // Brings the window to the front and shows it.
  virtual void ShowWindow() = 0;
  // Sizes the window from the skin's "/main.png" and creates the fonts; after the strings and skin are
  // known.
  virtual void SetUpWindow() = 0;
  // The full repaint of the main window.
  virtual void RepaintMainWindow() = 0;
  // Draws the footer again: the profile's name and the sign of the last Save or Reset.
  virtual void RedrawFooter() = 0;
  virtual void AddTrayIcon(std::string_view tooltip) = 0;
  virtual void SetWaitCursor(bool wait) = 0;
  // Creates or destroys the help panel.
  virtual void ShowHelpPanel(bool shown) = 0;
  // Opens the assignment list of button 0-7 beside its drop-down box (and highlights the button on the
  // mouse picture); closing takes the list, its sub-list and the highlight away.
  virtual void ShowAssignmentList(int button) = 0;
  virtual void CloseAssignmentList() = 0;
  // Redraws button 0-7's drop-down box with its label after a choice.
  virtual void RedrawButtonLabel(int button) = 0;
  // Draws the open setting panels and button rows again from the record and the labels, with the
  // panels' number boxes.
  virtual void RedrawPanels() = 0;
  virtual void StartTimer(MainTimer timer, int milliseconds) = 0;
  virtual void StopTimer(MainTimer timer) = 0;
  // Ends the program with exit code 0.
  virtual void Quit() = 0;
  // Asks the desktop to open a web page in the browser; false when nothing could be started for it.
  virtual bool OpenWebPage(std::string_view address) = 0;
  // Starts a program without a shell and without waiting for it.
  virtual Status StartProgram(const std::filesystem::path& program) = 0;
};

// The dialogs and choosers the controller runs; each returns nullopt (or false) when cancelled.
class DialogRunner {
 public:
  virtual ~DialogRunner() = default;
  // The key dialogs, run modally.
  virtual std::optional<std::string> RunSingleKeyDialog() = 0;
  virtual std::optional<ComboKeyResult> RunComboKeyDialog() = 0;
  virtual std::optional<MacroKeyResult> RunMacroKeyDialog(const std::vector<std::string>& macroNames) = 0;
  // The colour chooser for stage 0-3, opened on its colour.
  virtual std::optional<StageColour> ChooseStageColour(int stage, StageColour current) = 0;
  // Runs the macro manager modally; the twelve encoded macro pages when it closed with OK.
  virtual std::optional<MacroPages> RunMacroManager() = 0;
  // Opens the profile manager window (the controller allows one at a time).
  virtual void ShowProfileManager() = 0;
  // A ".bin" profile file chosen by the user to import (save false) or to export the named profile to
  // (save true).
  virtual std::optional<std::filesystem::path> ChooseProfileFile(bool save, std::string_view profileName) = 0;
  // A yes/no question; true for yes.
  virtual bool Confirm(std::string_view question, std::string_view caption) = 0;
};

// The roles the controller talks to; a window may play all of them, korvanectl plays the first two.
struct MainViewRoles {
  MainNotifier& notifier;
  WindowThread& thread;
  WindowSurface& surface;
  DialogRunner& dialogs;
};

// Every role at once: CTavikDlg implements it with Qt; tests record the calls.
class MainView : public MainNotifier, public WindowThread, public WindowSurface, public DialogRunner {};

}  // namespace korvane
