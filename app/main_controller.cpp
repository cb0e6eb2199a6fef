#include "app/main_controller.h"

#include <algorithm>
#include <cerrno>
#include <string>

#include "app/button_assignment.h"
#include "app/help_panel.h"
#include "common/folder_lock.h"
#include "common/machine_name.h"
#include "common/path_text.h"
#include "profile/record_validation.h"
#include "config/ini_file.h"
#include "config/settings_page.h"
#include "config/value_rules.h"
#include "macro/macro_section.h"
#include "device/upload.h"

namespace korvane {

MainController::MainController(ProgramFolder folder, HidBackend& backend, MainViewRoles view, SleepFunction sleep)
    : notifier_(view.notifier),
      thread_(view.thread),
      surface_(view.surface),
      dialogs_(view.dialogs),
      files_(std::move(folder)),
      link_(backend, std::move(sleep)),
      strings_(&LoadMainStrings("")) {}

MainController::MainController(ProgramFolder folder, HidBackend& backend, MainView& view, SleepFunction sleep)
    : MainController(std::move(folder), backend, MainViewRoles{view, view, view, view}, std::move(sleep)) {}

MainController::~MainController() { Shutdown(); }

void MainController::Start() {
  // No balloon at start-up, and nothing is written to the mouse beyond the attach. What goes wrong before
  // the language is known is said once it is.
  if (link_.Connect(config_)) StartReader();
  const Status watching = link_.WatchDevices([this](const DeviceNotice& notice) {
    thread_.RunOnWindowThread([this, notice] { OnDeviceNotice(notice); }, false);
  });

  // The language first: it chooses the label section that the profile's labels are read from.
  if (const Status listed = files_.CurrentProfileIndex(currentProfile_); !listed) {
    notifier_.ShowMessage(listed.message(), strings_->productTitle);
  }
  languageCode_ = files_.LanguageOf(CurrentPair());
  strings_ = &LoadMainStrings(languageCode_);
  LoadCurrentProfile();
  skin_ = SkinSettingsFrom(files_.folder(), labels_);

  surface_.SetUpWindow();
  Repaint();
  surface_.AddTrayIcon(strings_->productTitle);
  if (!watching) notifier_.ShowMessage(FillIn(messages().watchFailed, {watching.message()}), strings_->productTitle);
  ReportScanFailure();
}

void MainController::ReportScanFailure() {
  const int error = link_.connected() ? 0 : link_.scanStatus().errorCode();
  const bool denied = error == EACCES || error == EPERM;
  const bool withReason = denied || error == EBUSY;
  const bool said = scanFailureReported_;
  scanFailureReported_ = withReason;
  if (!withReason || said) return;
  const MessageStrings& text = messages();
  if (denied) {
    const std::string reason = FillIn(text.accessDenied, {link_.devicePath()});
    notifier_.ShowCommandMessage(
        {reason, kAccessRuleCommand, text.accessGroupHint, strings_->warningTitle, text.copyCommand});
  } else {
    notifier_.ShowMessage(FillIn(text.deviceBusy, {link_.devicePath()}), strings_->warningTitle);
  }
}

void MainController::Repaint() {
  // Until a profile file written by the program has been loaded, the buttons show (and the label file
  // gets) the default labels of the language.
  if (firstRunFlag_ == 0) {
    labels_.buttonLabel = DefaultLabels(languageCode_);
    savedLabels_ = labels_.buttonLabel;
    const Status written = WriteLabels(CurrentPair().labels, languageCode_, labels_.buttonLabel);
    if (!written) notifier_.ShowMessage(written.message(), strings_->productTitle);
    if (onDisk_) onDisk_->labels.buttonLabel = labels_.buttonLabel;
  }
  surface_.RepaintMainWindow();
}

bool MainController::HasUnsavedEdits() const {
  return !(config_ == savedConfig_) || labels_.buttonLabel != savedLabels_;
}

std::optional<StoredProfile> MainController::ReadCurrentPair() const {
  StoredProfile profile;
  if (!files_.Load(CurrentPair(), languageCode_, profile)) return std::nullopt;
  return profile;
}

bool MainController::SameAsOnDisk(const StoredProfile& profile) const {
  return onDisk_ && onDisk_->config == profile.config &&
         onDisk_->labels.buttonLabel == profile.labels.buttonLabel;
}

void MainController::Adopt(const StoredProfile& profile) {
  // The mouse's active profile is not a setting of the file.
  const Byte profileSlot = config_.profileSlot;
  config_ = profile.config;
  config_.profileSlot = profileSlot;
  savedConfig_ = config_;
  labels_ = profile.labels;
  savedLabels_ = labels_.buttonLabel;
  firstRunFlag_ = profile.firstRunFlag;
  onDisk_ = profile;
  askedOverEdits_ = false;
}

bool MainController::LoadCurrentProfile() {
  StoredProfile profile;
  const ProfilePair pair = CurrentPair();
  if (const Status loaded = files_.Load(pair, languageCode_, profile); !loaded) {
    onDisk_.reset();
    notifier_.ShowMessage(std::filesystem::exists(pair.config) ? loaded.message() : std::string(kConfigMissingMessage),
                      "");
    return false;
  }
  Adopt(profile);
  return true;
}

void MainController::OnFilesChanged(std::span<const std::string> names) {
  const ProfilePair pair = CurrentPair();
  const bool profileFiles = std::ranges::any_of(names, [&](const std::string& name) {
    return name == kProfileListName || PathFromUtf8(name) == pair.config.filename() || PathFromUtf8(name) == pair.labels.filename();
  });
  if (!profileFiles) return;
  int index = currentProfile_;
  if (!files_.CurrentProfileIndex(index)) return;
  const bool otherProfile = index != currentProfile_;
  // Another profile made current elsewhere is followed only by a window without unsaved edits.
  if (HasUnsavedEdits()) return;
  if (otherProfile) currentProfile_ = index;
  const std::optional<StoredProfile> now = ReadCurrentPair();
  if (!now || (!otherProfile && SameAsOnDisk(*now))) return;
  Adopt(*now);
  surface_.RedrawPanels();
  surface_.RepaintMainWindow();
  ProfilesMayHaveChanged();
}

void MainController::StartReader() {
  link_.StartReader([this](const DeviceEvent& event) {
    thread_.RunOnWindowThread([this, event] { OnDeviceEvent(event); }, true);
  });
}

void MainController::Shutdown() {
  link_.StopWatching();
  link_.StopReader();
}

void MainController::ShowStageBalloon(int stage) {
  // The mouse keeps each stage's level in its settings page. When it cannot be read back, the stage's
  // value in the window stands in for it (never a CPI of 0).
  const std::size_t index = static_cast<std::size_t>(stage - 1);
  const bool readBack = link_.ReadStageSettings().ok();
  const int level = !readBack && index < config_.dpiStage.size() ? config_.dpiStage[index]
                                                                 : link_.mirror().settingsPage[kPageStages + index];
  const int cpi = StageCpi(static_cast<Byte>(level));
  notifier_.ShowBalloon(std::string(strings_->switchCpiStage[stage - 1]) + std::to_string(cpi), strings_->infoTitle,
                    kInfoBalloonTimeoutMs);
}

void MainController::OnDeviceEvent(const DeviceEvent& event) {
  const bool stage = event.type >= EVENT_STAGE_FIRST && event.type <= EVENT_STAGE_LAST;
  if (mouseEvent_ && (stage || event.type == EVENT_MACRO_SWITCH)) mouseEvent_(event);
  if (stage) {
    if (event.value >= 1 && event.value <= kStageSentenceCount) ShowStageBalloon(event.value);
  } else if (event.type == EVENT_MACRO_SWITCH) {
    if (event.value != 0) {
      notifier_.ShowBalloon(std::string(strings_->switchToMacroKey) + std::to_string(event.value),
                        strings_->infoTitle, kInfoBalloonTimeoutMs);
    }
  } else if (event.type == EVENT_MOUSE_FOUND) {
    notifier_.ShowBalloon(strings_->mouseDetected, strings_->infoTitle, kConnectionBalloonTimeoutMs);
  } else if (event.type == EVENT_MOUSE_LOST) {
    notifier_.ShowBalloon(strings_->mouseNotDetected, strings_->warningTitle, kConnectionBalloonTimeoutMs);
  }
}

void MainController::OnDeviceNotice(const DeviceNotice& notice) {
  const bool wasConnected = link_.connected();
  const DeviceChange change = link_.OnDeviceChange(notice);
  if (change != DeviceChange::Ignored) ReportScanFailure();
  switch (change) {
    case DeviceChange::MouseFound:
      // Each of the mouse's interfaces announces itself; the first one that completes it counts. A later
      // one has made the link open the mouse afresh, so the reader follows the new handle.
      if (wasConnected) {
        StartReader();
        break;
      }
      OnDeviceEvent({EVENT_MOUSE_FOUND, 0});
      link_.Handshake(config_);
      // Edits made while the mouse was away stay in the window for the next Save.
      if (!HasUnsavedEdits()) LoadCurrentProfile();
      surface_.RedrawPanels();
      StartReader();
      ProfilesMayHaveChanged();
      break;
    case DeviceChange::MouseLost:
      // Each interface's removal is announced; only the notice that takes the mouse away warns.
      if (wasConnected) OnDeviceEvent({EVENT_MOUSE_LOST, 0});
      if (notice.type == DeviceNotice::kArrival) surface_.HideWindow();
      ProfilesMayHaveChanged();
      break;
    case DeviceChange::StillConnected:
    case DeviceChange::Ignored:
      break;
  }
}

void MainController::OnTrayRestore() {
  if (reloadOnRestore_) {
    reloadOnRestore_ = false;
    LoadCurrentProfile();
    Repaint();
  }
  surface_.ShowWindow();
  if (!link_.connected()) OnDeviceEvent({EVENT_MOUSE_LOST, 0});
}

void MainController::OnTimer(MainTimer timer) {
  surface_.StopTimer(timer);
  if (timer == MainTimer::kSaveGuard) {
    saveGuard_ = false;
  } else if (timer == MainTimer::kFooterSign) {
    footerSign_.clear();
    surface_.RedrawFooter();
  } else if (timer == MainTimer::kFocusSwitch) {
    ApplyFocusRule();
  } else {
    surface_.SetWaitCursor(false);
  }
}

bool MainController::UploadAndKeep() {
  // No other switch reaches the mouse meanwhile, not even from the questions and messages on the way,
  // whose event loops run timers and bus calls.
  uploading_ = true;
  const bool kept = UploadAndKeepUnguarded();
  uploading_ = false;
  return kept;
}

bool MainController::UploadAndKeepUnguarded() {
  // A record with values outside their ranges reaches neither the mouse nor the files.
  if (const std::vector<FieldProblem> problems = ValidateConfig(config_); !problems.empty()) {
    notifier_.ShowMessage(FillIn(messages().valuesOutOfRange, {DescribeProblems(problems)}), strings_->warningTitle);
    return false;
  }
  // The profile files are rewritten under the lock korvanectl takes, so that no edit of either is lost.
  FolderLock lock;
  if (const Status locked = FolderLock::Acquire(files_.folder().dir(), lock); !locked) {
    notifier_.ShowMessage(FillIn(messages().nothingSent, {locked.message()}), strings_->warningTitle);
    return false;
  }
  int index = currentProfile_;
  if (const Status listed = files_.CurrentProfileIndex(index); !listed) {
    notifier_.ShowMessage(FillIn(messages().noCurrentProfile, {listed.message()}), strings_->warningTitle);
    return false;
  }
  // What another program stored since the window read the files is replaced only when the user says so.
  const std::optional<StoredProfile> now = ReadCurrentPair();
  if (now && onDisk_ && !SameAsOnDisk(*now) &&
      !dialogs_.Confirm(messages().changedElsewhere, strings_->warningTitle)) {
    return false;
  }
  const UploadOutcome outcome =
      UploadConfiguration(link_.protocol(), config_, files_, CurrentPair(), languageCode_, labels_.buttonLabel);
  if (const UploadOutcome::Step* failed = outcome.firstFailure()) {
    const bool stored = failed->name != "save-configuration";
    notifier_.ShowMessage(stored ? FillIn(messages().sendFailed, {failed->name, failed->status.message()})
                             : FillIn(messages().notStored, {failed->status.message()}),
                      strings_->warningTitle);
    return false;
  }
  savedConfig_ = config_;
  savedLabels_ = labels_.buttonLabel;
  askedOverEdits_ = false;
  firstRunFlag_ = 1;
  onDisk_ = StoredProfile{1, config_, labels_, false};
  if (afterUpload_) afterUpload_(config_);
  mouseProfile_ = CurrentProfileName();
  ProfilesMayHaveChanged();
  return true;
}

void MainController::ShowFooterSign(std::string_view sign) {
  footerSign_ = sign;
  surface_.RedrawFooter();
  surface_.StartTimer(MainTimer::kFooterSign, kFooterSignMs);
}

std::string MainController::CurrentProfileName() const {
  const ProfileList list = ReadProfileList(files_.profileListPath());
  if (currentProfile_ < 0 || currentProfile_ >= static_cast<int>(list.names.size())) return {};
  return list.names[static_cast<std::size_t>(currentProfile_)];
}

FooterTexts MainController::Footer() const {
  FooterTexts footer;
  footer.sign = footerSign_;
  const std::string name = CurrentProfileName();
  if (name.empty()) return footer;
  footer.profile = FillIn(messages().profileShown, {name});
  if (!mouseProfile_.empty() && mouseProfile_ != name) {
    footer.profile += FillIn(messages().mouseHoldsProfile, {mouseProfile_});
  }
  return footer;
}

void MainController::OpenWebLink() {
  if (!surface_.OpenWebPage(strings_->webAddress)) {
    notifier_.ShowMessage(FillIn(messages().noBrowser, {strings_->webAddress}), strings_->warningTitle);
  }
}

void MainController::Save() {
  if (saveGuard_) return;
  saveGuard_ = true;
  if (link_.connected()) {
    surface_.SetWaitCursor(true);
    surface_.StartTimer(MainTimer::kSaveCursor, kWaitCursorMs);
    if (UploadAndKeep()) ShowFooterSign(messages().savedSign);
  } else {
    notifier_.ShowMessage(std::string(strings_->mouseNotDetected) + "\n\n" + std::string(messages().saveWithoutMouse),
                      strings_->warningTitle);
  }
  surface_.StartTimer(MainTimer::kSaveGuard, kSaveGuardMs);
}

void MainController::Reset() {
  // The factory settings replace the profile's and the mouse's at once: only when the user says so.
  if (!dialogs_.Confirm(messages().resetQuestion, strings_->warningTitle)) return;
  surface_.SetWaitCursor(true);
  surface_.StartTimer(MainTimer::kResetCursor, kWaitCursorMs);
  if (const Status loaded = files_.LoadDefaults(languageCode_, config_, labels_); !loaded) {
    notifier_.ShowMessage(FillIn(messages().factoryUnreadable, {loaded.message()}), strings_->warningTitle);
    return;
  }
  const bool sent = link_.connected() && UploadAndKeep();
  Repaint();
  if (sent) ShowFooterSign(messages().resetSign);
}

void MainController::Cancel() {
  config_ = savedConfig_;
  labels_.buttonLabel = savedLabels_;
  askedOverEdits_ = false;
  reloadOnRestore_ = true;
  surface_.HideWindow();
}

MainClick MainController::MainClickDispatcher(const MainPageState& pages, int x, int y) {
  const MainClick click = ClassifyMainClick(pages, x, y);
  const bool helpButton = click.kind == MainClick::Kind::kButton && click.button == MainButton::kHelp;
  // The help panel goes with any other press, which then does what it does.
  if (helpButton) {
    SetHelpOpen(!helpOpen_);
  } else if (helpOpen_) {
    SetHelpOpen(false);
  }
  // A press anywhere but on a button's row closes its open list.
  if (click.kind == MainClick::Kind::kButtonRow) {
    ToggleAssignmentList(click.row);
  } else if (openList_ >= 0) {
    CloseAssignmentList();
  }
  if (click.kind == MainClick::Kind::kWebLink) OpenWebLink();
  panelDrag_.End();
  if (click.kind == MainClick::Kind::kPanel) {
    PressPanel(*click.panel, x, y);
    panelDrag_.Begin(*click.panel);
  }
  if (click.kind == MainClick::Kind::kHeader && click.section == MainSection::kMacroManager) {
    // OK hands over the pages; they reach the mouse with the next Save.
    if (std::optional<MacroPages> pages = dialogs_.RunMacroManager()) config_.macroData = *pages;
  }
  if (click.kind != MainClick::Kind::kButton) return click;
  switch (click.button) {
    case MainButton::kSave: Save(); break;
    case MainButton::kReset: Reset(); break;
    case MainButton::kCancel: Cancel(); break;
    case MainButton::kMinimise: surface_.HideWindow(); break;
    case MainButton::kClose: Exit(); break;
    case MainButton::kConfig:
      if (!profileManagerOpen_) {
        profileManagerOpen_ = true;
        dialogs_.ShowProfileManager();
      }
      break;
    case MainButton::kHelp:  // toggled above
      break;
  }
  return click;
}

void MainController::ImportIntoProfile(int pair) {
  if (pair == ProfileManagerModel::kFactoryPair) {
    notifier_.ShowMessage(messages().importIntoNewProfile, strings_->warningTitle);
    return;
  }
  const std::optional<std::filesystem::path> chosen = dialogs_.ChooseProfileFile(false, {});
  if (!chosen) return;
  StoredProfile imported;
  Status status = files_.Import(*chosen, languageCode_, imported);
  if (status) {
    if (const std::vector<FieldProblem> problems = ValidateConfig(imported.config); !problems.empty()) {
      status = Status::Failure(FillIn(messages().fileOutOfRange, {chosen->string(), DescribeProblems(problems)}));
    }
  }
  if (status && pair == currentProfile_) {
    // Into the window: Save sends it to the mouse and stores it.
    config_ = imported.config;
    labels_.buttonLabel = imported.labels.buttonLabel;
    firstRunFlag_ = imported.firstRunFlag;
    Repaint();
    return;
  }
  if (status) {
    FolderLock lock;
    status = FolderLock::Acquire(files_.folder().dir(), lock);
    if (status) status = files_.Save(files_.ProfileFiles(pair), languageCode_, imported.config, imported.labels.buttonLabel);
  }
  if (!status) notifier_.ShowMessage(FillIn(messages().nothingLoaded, {status.message()}), strings_->warningTitle);
}

void MainController::ExportProfile(int pair, std::string_view name) {
  // The current profile as the window shows it; any other as its files hold it.
  StoredProfile profile{1, config_, labels_, false};
  Status status = Status::Ok();
  if (pair != currentProfile_) {
    const ProfilePair source = pair == ProfileManagerModel::kFactoryPair ? files_.FactoryFiles() : files_.ProfileFiles(pair);
    status = files_.Load(source, languageCode_, profile);
  }
  if (!status) {
    notifier_.ShowMessage(FillIn(messages().nothingExported, {status.message()}), strings_->warningTitle);
    return;
  }
  const std::optional<std::filesystem::path> chosen = dialogs_.ChooseProfileFile(true, name);
  if (!chosen) return;
  const Status exported = files_.Export(*chosen, languageCode_, profile.config, profile.labels.buttonLabel);
  if (!exported) {
    notifier_.ShowMessage(FillIn(messages().nothingExported, {exported.message()}), strings_->warningTitle);
  }
}

Status MainController::CloseProfileManager(const ProfileManagerModel& model) {
  profileManagerOpen_ = false;
  const int windowPosition = model.PositionOf(currentProfile_);
  int current = model.CurrentPosition();
  // "No" keeps the window's profile, with its edits, the current one; when that profile was deleted, its
  // edits stay in the window for the chosen one.
  const bool keepWindow = HasUnsavedEdits() && current != windowPosition &&
                          !dialogs_.Confirm(messages().discardForOtherProfile, strings_->warningTitle);
  if (keepWindow && windowPosition >= 0) current = windowPosition;
  FolderLock lock;
  Status written = FolderLock::Acquire(files_.folder().dir(), lock);
  if (written) written = WriteProfileManager(files_.folder(), model, current);
  if (!written) {
    notifier_.ShowMessage(FillIn(messages().listNotSaved, {written.message()}), strings_->warningTitle);
    return written;
  }
  currentProfile_ = current;
  if (keepWindow) {
    // The files of the window's profile may have moved with its name; the edits stay for Save.
    onDisk_ = ReadCurrentPair();
  } else {
    LoadCurrentProfile();
  }
  Repaint();
  ProfilesMayHaveChanged();
  return written;
}

void MainController::ToggleAssignmentList(int button) {
  if (button < 0 || button >= static_cast<int>(kButtonCount)) return;
  const bool wasOpen = openList_ == button;
  if (openList_ >= 0) CloseAssignmentList();
  if (wasOpen) return;
  if (LeftButtonLocked(config_, button)) {
    notifier_.ShowMessage(LeftButtonWarningText(languageCode_), kLeftButtonWarningCaption);
    return;
  }
  openList_ = button;
  surface_.ShowAssignmentList(button);
}

void MainController::CloseAssignmentList() {
  openList_ = -1;
  surface_.CloseAssignmentList();
}

void MainController::OnAssignmentChosen(int button, ButtonKind kind) {
  ButtonChoice choice;
  choice.kind = kind;
  switch (StepForKind(kind)) {
    case AssignmentStep::kSubList:
      // Completed in the sub-list, which stays with the list.
      surface_.RedrawButtonLabel(button);
      return;
    case AssignmentStep::kSingleKeyDialog: {
      const std::optional<std::string> key = dialogs_.RunSingleKeyDialog();
      // A key without a name cannot be stored: the button keeps what it had.
      if (!key || key->empty()) break;
      choice.keyName = *key;
      Assign(button, choice);
      return;
    }
    case AssignmentStep::kComboKeyDialog: {
      const std::optional<ComboKeyResult> combo = dialogs_.RunComboKeyDialog();
      if (!combo) break;
      choice.modifierName = combo->modifierName;
      choice.keyName = combo->firstKeyName;
      choice.secondKeyName = combo->secondKeyName;
      Assign(button, choice);
      return;
    }
    case AssignmentStep::kMacroKeyDialog: {
      const std::optional<MacroKeyResult> macro =
          dialogs_.RunMacroKeyDialog(MacroNames(IniFile(files_.macroPath()).Load()));
      if (!macro) break;
      choice.macroNumber = macro->macroNumber;
      choice.repeatMode = static_cast<Byte>(macro->repeatMode);
      choice.macroName = macro->macroName;
      Assign(button, choice);
      return;
    }
    case AssignmentStep::kStore: Assign(button, choice); return;
  }
  CloseAssignmentList();
  surface_.RedrawButtonLabel(button);
}

void MainController::OnSubListChosen(int button, ButtonKind kind, int position) {
  ButtonChoice choice;
  choice.kind = kind;
  choice.position = position;
  Assign(button, choice);
}

void MainController::Assign(int button, const ButtonChoice& choice) {
  if (const auto label = ApplyButtonChoice(config_, button, choice, languageCode_)) {
    labels_.buttonLabel[static_cast<std::size_t>(button)] = *label;
  }
  CloseAssignmentList();
  surface_.RedrawButtonLabel(button);
}

void MainController::PressPanel(const PanelHit& hit, int x, int y) {
  // Edits stay in the record; they reach the mouse with Save.
  switch (PressPanelControl(hit.section, hit.control, x, y, config_)) {
    case PanelEffect::kNothing: return;
    case PanelEffect::kChooseColour: {
      const int stage = hit.control.index;
      const std::optional<StageColour> chosen = dialogs_.ChooseStageColour(stage, StageColourOf(config_, stage));
      if (!chosen) return;
      StoreStageColour(config_, stage, *chosen);
      break;
    }
    case PanelEffect::kStored: break;
  }
  surface_.RedrawPanels();
}

void MainController::DragPanel(const MainPageState& pages, int x, int y) {
  if (panelDrag_.MoveTo(pages, x, y, config_)) surface_.RedrawPanels();
}

std::string MainController::OnStageBoxText(int stage, std::string_view text) {
  const int cpi = CorrectedStageCpi(text);
  config_.dpiStage[static_cast<std::size_t>(stage)] = StageLevel(cpi);
  surface_.RedrawPanels();
  return std::to_string(cpi);
}

std::string MainController::OnScrollLinesText(std::string_view text) {
  config_.scrollLines = static_cast<Byte>(CorrectedScrollLines(text));
  surface_.RedrawPanels();
  return std::to_string(config_.scrollLines);
}

void MainController::SetHelpOpen(bool open) {
  helpOpen_ = open;
  surface_.ShowHelpPanel(open);
}

void MainController::OnHelpPanelPress(int x, int y) {
  switch (HelpPanelPress(x, y)) {
    case HelpPress::kLink: OpenWebLink(); break;
    case HelpPress::kUpdate: RunUpdater(); break;
    case HelpPress::kNothing: break;
  }
}

void MainController::RunUpdater() {
  const std::filesystem::path updater = UpdaterPath(files_.folder(), MachineName());
  std::error_code error;
  const Status started = std::filesystem::is_regular_file(updater, error)
                             ? surface_.StartProgram(updater)
                             : Status::Failure(FillIn(messages().updaterMissing, {PathToUtf8(updater)}));
  if (!started) notifier_.ShowMessage(started.message(), strings_->productTitle);
}

void MainController::Exit() {
  if (HasUnsavedEdits() &&
      !dialogs_.Confirm(messages().discardOnExit, strings_->warningTitle)) {
    return;
  }
  // The view stops taking work from the reader first, so that stopping the reader cannot wait on it.
  surface_.Quit();
  Shutdown();
  link_.Close();
}

}  // namespace korvane
