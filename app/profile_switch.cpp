// The main controller's profile switches from outside the window: a profile chosen over the session bus
// or by korvanectl, and the profile of the application that has the focus.

#include <algorithm>

#include "app/app_profiles.h"
#include "app/main_controller.h"
#include "common/folder_lock.h"
#include "common/text.h"

namespace korvane {

namespace {

// The most applications the profile manager offers to link; the oldest go first.
constexpr std::size_t kMaxSeenApplications = 32;

}  // namespace

std::vector<std::string> MainController::ProfileNames() const {
  return ReadProfileList(files_.profileListPath()).names;
}

void MainController::ProfilesMayHaveChanged() const {
  if (profilesChanged_) profilesChanged_();
}

MainController::UseResult MainController::UseProfile(int position) { return SwitchProfile(position, false); }

MainController::UseResult MainController::SwitchProfile(int position, bool discardEdits) {
  using Outcome = UseResult::Outcome;
  // The manager rewrites the list and moves files when it closes; an upload holds the mouse.
  if (profileManagerOpen_ || uploading_) return {Outcome::kBusy, std::string(messages().profileSwitchBusy)};
  const std::vector<std::string> names = ProfileNames();
  if (position < 0 || position >= static_cast<int>(names.size())) {
    return {Outcome::kNoSuchProfile, std::string(messages().noSuchProfile)};
  }
  if (!discardEdits && HasUnsavedEdits()) return {Outcome::kUnsavedEdits, std::string(messages().profileOverEdits)};
  if (!link_.connected()) return {Outcome::kNoMouse, std::string(strings_->mouseNotDetected)};

  StoredProfile chosen;
  if (const Status loaded = files_.Load(files_.ProfileFiles(position), languageCode_, chosen); !loaded) {
    return {Outcome::kFailed, loaded.message()};
  }
  // The window's profile comes back when the mouse does not take the chosen one.
  const int previous = currentProfile_;
  const std::optional<StoredProfile> before = onDisk_;
  const MouseConfig beforeConfig = config_, beforeSaved = savedConfig_;
  const LabelSettings beforeLabels = labels_;
  const ButtonLabels beforeSavedLabels = savedLabels_;
  const Byte beforeFirstRun = firstRunFlag_;
  currentProfile_ = position;
  Adopt(chosen);
  const std::string& name = names[static_cast<std::size_t>(position)];
  Status listed = Status::Ok();
  if (UploadAndKeep()) {
    FolderLock lock;
    listed = FolderLock::Acquire(files_.folder().dir(), lock);
    if (listed) listed = WriteProfileList(files_.profileListPath(), names, position);
  } else {
    listed = Status::Failure(FillIn(messages().profileNotTaken, {name}));
  }
  if (!listed) {
    currentProfile_ = previous;
    onDisk_ = before;
    config_ = beforeConfig;
    savedConfig_ = beforeSaved;
    labels_ = beforeLabels;
    savedLabels_ = beforeSavedLabels;
    firstRunFlag_ = beforeFirstRun;
  }
  Repaint();
  ProfilesMayHaveChanged();
  if (!listed) return {Outcome::kFailed, listed.message()};
  return {};
}

void MainController::OnFocusChanged(std::string_view appId, std::string_view title) {
  (void)title;  // the rules name applications, not windows
  if (!appId.empty() && std::ranges::find(seenApplications_, appId) == seenApplications_.end()) {
    if (seenApplications_.size() == kMaxSeenApplications) seenApplications_.erase(seenApplications_.begin());
    seenApplications_.emplace_back(appId);
  }
  focusedApp_ = appId;
  surface_.StartTimer(MainTimer::kFocusSwitch, kFocusSwitchMs);
}

void MainController::ApplyFocusRule() {
  const AppProfiles rules = ReadAppProfiles(files_.folder().File(kAppProfilesName));
  // Without a single link, nothing follows the focus: the default alone would only ever undo a choice.
  if (rules.links.empty()) return;
  const std::vector<std::string> names = ProfileNames();
  const std::string target = rules.ProfileFor(focusedApp_, names);
  const auto found = std::ranges::find(names, target);
  if (found == names.end() || target == mouseProfile_) return;
  if (profileManagerOpen_ || uploading_) {
    // Tried again once the manager has closed or the upload is done.
    surface_.StartTimer(MainTimer::kFocusSwitch, kFocusSwitchMs);
    return;
  }
  // Focus on no window at all is named by the profile alone.
  if (HasUnsavedEdits()) {
    if (askedOverEdits_) return;
    askedOverEdits_ = true;
    if (!dialogs_.Confirm(FillIn(messages().switchOverEdits, {target, focusedApp_}), strings_->warningTitle)) return;
  }
  const UseResult result = SwitchProfile(static_cast<int>(found - names.begin()), true);
  if (result.outcome != UseResult::Outcome::kDone) return;
  const std::string notice = focusedApp_.empty() ? FillIn(messages().profileShown, {target})
                                                 : FillIn(messages().profileForApp, {target, focusedApp_});
  notifier_.ShowBalloon(notice, strings_->infoTitle, kInfoBalloonTimeoutMs);
}

}  // namespace korvane
