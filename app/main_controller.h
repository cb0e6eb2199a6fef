#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "app/macro_manager.h"
#include "app/main_view.h"
#include "app/profile_manager.h"
#include "config/label_file.h"
#include "config/mouse_config.h"
#include "config/program_folder.h"
#include "device/device_link.h"
#include "device/hid_backend.h"
#include "keys/button_catalogue.h"
#include "profile/config_files.h"
#include "text/strings.h"
#include "ui/main_window_geometry.h"
#include "ui/panel_drag.h"
#include "ui/skin_settings.h"

namespace korvane {

inline constexpr int kInfoBalloonTimeoutMs = 5000;
inline constexpr int kConnectionBalloonTimeoutMs = 100;
inline constexpr int kSaveGuardMs = 2000;
inline constexpr int kWaitCursorMs = 6000;

// Installs the udev rule of packaging/udev/70-korvane.rules (the same line) wherever the program came from,
// and makes it count for the mouse already plugged in.
inline constexpr std::string_view kAccessRuleCommand =
    "echo 'SUBSYSTEM==\"hidraw\", ATTRS{idVendor}==\"04d9\", ATTRS{idProduct}==\"a0f4\", TAG+=\"uaccess\", "
    "GROUP=\"plugdev\", MODE=\"0660\"' | sudo tee /etc/udev/rules.d/70-korvane.rules && "
    "sudo udevadm control --reload-rules && sudo udevadm trigger --subsystem-match=hidraw";

// The main window's behaviour without the window: start-up, device arrival and removal, device events,
// restore from the tray, timers and exit. Owns the record, its backup, the labels, the profile files and
// the device link; talks to the screen through the roles of MainViewRoles.
class MainController {
 public:
  MainController(ProgramFolder folder, HidBackend& backend, MainViewRoles view, SleepFunction sleep = RealSleep);
  // A view that plays every role.
  MainController(ProgramFolder folder, HidBackend& backend, MainView& view, SleepFunction sleep = RealSleep);
  ~MainController();
  MainController(const MainController&) = delete;
  MainController& operator=(const MainController&) = delete;

  // The start-up road: connect and attach, reader, device notices, profile, language, strings, labels,
  // skin, window, first paint, tray icon. The mouse is not programmed.
  void Start();

  // On the window thread.
  void OnDeviceEvent(const DeviceEvent& event);
  void OnDeviceNotice(const DeviceNotice& notice);
  // Left click on the tray icon.
  void OnTrayRestore();
  void OnTimer(MainTimer timer);
  // Close button and the tray's Exit: ends the program, asking first when the window holds unsaved edits.
  void Exit();
  // Files of the program folder changed on disk (another korvanectl or program). When the profile list
  // or the current profile's files are among them, the window shows the new contents if it holds no
  // unsaved edits; otherwise Save asks before replacing them.
  void OnFilesChanged(std::span<const std::string> names);
  // The record or a label differs from what was last loaded, saved or accepted.
  bool HasUnsavedEdits() const;

  // The window's commands. Save uploads the record and saves it into the current profile (once in any
  // two seconds); Reset loads the factory settings, keeping the macros and profileSlot, and uploads them;
  // Cancel drops every edit since the last load, Save or Reset and hides the window. Without the mouse,
  // Save keeps the edits and says that nothing was stored, and Reset changes only the window's contents.
  // Save asks before replacing profile files that another program changed since the window read them.
  void Save();
  void Reset();
  void Cancel();
  // A left-button press on the main window: runs the command whose rectangle holds the point, in the
  // window's order, and returns the press so that the window can do what is its own (view switch,
  // headers, the window move of a press that no command takes).
  MainClick MainClickDispatcher(const MainPageState& pages, int x, int y);
  // The pointer moved to (x, y) with the left button held since a press on a slider, level bar or dial:
  // the control the press began on takes the value under the pointer. The button came up: the drag ends.
  void DragPanel(const MainPageState& pages, int x, int y);
  void EndPanelDrag() { panelDrag_.End(); }
  // The assignment lists: a press on button 0-7's row opens its list (or closes it when open), unless it
  // holds the last "Click"; a kind chosen in the list, and an item of a kind's sub-list.
  void ToggleAssignmentList(int button);
  void OnAssignmentChosen(int button, ButtonKind kind);
  void OnSubListChosen(int button, ButtonKind kind, int position);
  int openAssignmentList() const { return openList_; }
  // A stage's or the scroll lines' number box gave up its text (Enter, leaving it, a paste): the value
  // it corrects to is stored, and the text the box shows then comes back.
  std::string OnStageBoxText(int stage, std::string_view text);
  std::string OnScrollLinesText(std::string_view text);
  // The profile manager's requests, for the profile whose files are at a position of the list as it was
  // read (ProfileManagerModel::Entry::pair): import a file into it (into the window for the current
  // profile, where Save stores it; straight into its files for another), export it (the window's
  // settings for the current profile, its files for another). Closing writes the list (the file pairs
  // follow their names) and shows the chosen profile; with unsaved edits it asks first, and "No" keeps
  // the window's profile current.
  void ImportIntoProfile(int pair);
  void ExportProfile(int pair, std::string_view name);
  Status CloseProfileManager(const ProfileManagerModel& model);
  bool profileManagerOpen() const { return profileManagerOpen_; }
  // The macro manager's options and recorder, kept from one opening to the next.
  MacroManagerSession& macroSession() { return macroSession_; }
  // A press on the open help panel, in its own coordinates.
  void OnHelpPanelPress(int x, int y);
  bool helpOpen() const { return helpOpen_; }
  // Runs after every upload that the mouse accepted, with the record it accepted.
  void setAfterUpload(std::function<void(const MouseConfig&)> hook) { afterUpload_ = std::move(hook); }
  // Runs whenever the current profile, the one the mouse holds, or the connection may have changed, and
  // for each stage and macro switch the mouse reports.
  void setProfilesChanged(std::function<void()> hook) { profilesChanged_ = std::move(hook); }
  void setMouseEvent(std::function<void(const DeviceEvent&)> hook) { mouseEvent_ = std::move(hook); }

  // A profile chosen from outside the window (the session bus, korvanectl, a focus rule).
  struct UseResult {
    enum class Outcome { kDone, kNoSuchProfile, kUnsavedEdits, kBusy, kNoMouse, kFailed };
    Outcome outcome = Outcome::kDone;
    std::string message;  // why, when not done
  };
  // Makes the profile at a position of the list current and sends it to the mouse. Nothing changes while
  // the profile manager is open or an upload runs, over unsaved edits, without the mouse, or when the
  // mouse does not take it.
  UseResult UseProfile(int position);
  // The application that has the keyboard focus (empty: none). Once it has kept the focus for
  // kFocusSwitchMs, the mouse gets the profile app-profiles.ini links to it, or the default profile.
  void OnFocusChanged(std::string_view appId, std::string_view title);
  // The applications that had the focus since start, in the order they first had it.
  const std::vector<std::string>& seenApplications() const { return seenApplications_; }
  // The profile list's names, in order; the current profile's name; the name of the profile whose
  // settings the window last sent to the mouse (empty before that).
  std::vector<std::string> ProfileNames() const;
  std::string CurrentProfileName() const;
  const std::string& mouseProfile() const { return mouseProfile_; }
  // Stops the reader and the device watch; called before the view goes away.
  void Shutdown();

  MouseConfig& config() { return config_; }
  const MouseConfig& config() const { return config_; }
  const MouseConfig& savedConfig() const { return savedConfig_; }
  const ButtonLabels& labels() const { return labels_.buttonLabel; }
  int currentProfile() const { return currentProfile_; }
  const std::string& languageCode() const { return languageCode_; }
  const SkinSettings& skin() const { return skin_; }
  const MainStrings& strings() const { return *strings_; }
  const MessageStrings& messages() const { return MessageStringsFor(language()); }
  // What the footer says: which profile the window shows (and the mouse holds, when that is another one),
  // and for a few seconds after Save or Reset, that the mouse has the settings.
  FooterTexts Footer() const;
  Language language() const { return LanguageFromCode(languageCode_); }
  const ConfigFiles& files() const { return files_; }
  DeviceLink& link() { return link_; }
  bool connected() const { return link_.connected(); }
  // Cancel asks for a reload from disk at the next restore.
  void setReloadOnRestore(bool reload) { reloadOnRestore_ = reload; }
  // Set by Save while its guard timer runs.
  bool saveGuard() const { return saveGuard_; }
  void setSaveGuard(bool guard) { saveGuard_ = guard; }

 private:
  void PressPanel(const PanelHit& hit, int x, int y);
  ProfilePair CurrentPair() const { return files_.ProfileFiles(currentProfile_); }
  // Reads the profile str.ini names as current into the window; false, with the reason shown, when it
  // cannot be read (the window keeps what it had).
  bool LoadCurrentProfile();
  // Takes a profile read from disk as the window's contents and as what is saved.
  void Adopt(const StoredProfile& profile);
  // What the current profile's files hold now; nullopt when they cannot be read.
  std::optional<StoredProfile> ReadCurrentPair() const;
  bool SameAsOnDisk(const StoredProfile& profile) const;
  // The full repaint, with the first-run labels.
  void Repaint();
  void StartReader();
  void ShowStageBalloon(int stage);
  void SetHelpOpen(bool open);
  void CloseAssignmentList();
  // Stores a choice for a button with its label, then closes the list and redraws the button's box.
  void Assign(int button, const ButtonChoice& choice);
  void RunUpdater();
  // Says once why a scan could not open the mouse that is there (no permission, busy); the next scan
  // without such a reason makes the next one say it again.
  void ReportScanFailure();
  // Upload, then keep what the mouse accepted in savedConfig; a failed step is reported by name. True when
  // the mouse and the files have the settings.
  bool UploadAndKeep();
  bool UploadAndKeepUnguarded();
  // The footer says `sign` for a few seconds.
  void ShowFooterSign(std::string_view sign);
  void OpenWebLink();
  void ProfilesMayHaveChanged() const;
  // UseProfile, with unsaved edits dropped when discardEdits.
  UseResult SwitchProfile(int position, bool discardEdits);
  // The focus rule, once the focused application has kept the focus.
  void ApplyFocusRule();

  MainNotifier& notifier_;
  WindowThread& thread_;
  WindowSurface& surface_;
  DialogRunner& dialogs_;
  ConfigFiles files_;
  DeviceLink link_;
  MouseConfig config_;
  MouseConfig savedConfig_;
  LabelSettings labels_;
  ButtonLabels savedLabels_;
  // The current profile's files as the window last read or wrote them.
  std::optional<StoredProfile> onDisk_;
  int currentProfile_ = 0;
  Byte firstRunFlag_ = 0;
  std::string languageCode_;
  SkinSettings skin_;
  const MainStrings* strings_;
  bool reloadOnRestore_ = false;
  bool saveGuard_ = false;
  bool helpOpen_ = false;
  bool profileManagerOpen_ = false;
  bool scanFailureReported_ = false;
  int openList_ = -1;
  PanelDrag panelDrag_;
  MacroManagerSession macroSession_;
  std::function<void(const MouseConfig&)> afterUpload_;
  std::function<void()> profilesChanged_;
  std::function<void(const DeviceEvent&)> mouseEvent_;
  bool uploading_ = false;
  std::vector<std::string> seenApplications_;
  // The application that has the focus, waiting for kFocusSwitch.
  std::string focusedApp_;
  // The question over unsaved edits was asked (and answered no) for these edits: it is not asked again
  // until they are saved, dropped or replaced by a profile read from disk.
  bool askedOverEdits_ = false;
  std::string footerSign_;
  // The profile whose settings this window last sent to the mouse; empty before the first Save or Reset.
  std::string mouseProfile_;
};

}  // namespace korvane
