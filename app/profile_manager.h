#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "app/app_profiles.h"
#include "common/file_io.h"
#include "common/status.h"
#include "config/label_file.h"
#include "config/program_folder.h"
#include "text/strings.h"

namespace korvane {

// The profile manager's list of up to six names. Each entry remembers whose settings it holds, so that
// when the list is written the file pairs (configN.bin, strN.ini) move with their names: a deleted
// profile's pair goes, the pairs below move up, a copy gets a copy of its source's pair and a new profile
// starts from the factory pair. The files keep their position-indexed names.
//
// The per-application rules name profiles, so they follow the list when it is written: a renamed
// profile's links and default take its new name, a deleted profile's go. Links made or removed here are
// written with the list, not before.
class ProfileManagerModel {
 public:
  static constexpr int kFactoryPair = -1;
  struct Entry {
    std::string name;
    int pair;  // the position whose files hold its settings when the list was read, or kFactoryPair
    bool copied = false;  // made by Copy: its source's settings, none of its links
  };
  enum class Outcome { kDone, kLimit, kNoSelection, kLastProfile };

  // copyWord: the language's "Copy"; prefix: "PROFILE"; Rename refuses in language.
  // rules: the per-application rules as read with the list.
  ProfileManagerModel(const ProfileList& list, std::string_view copyWord, std::string_view prefix,
                      Language language = Language::English, AppProfiles rules = {});

  const std::vector<Entry>& entries() const { return entries_; }
  int selected() const { return selected_; }
  void Select(int position);

  // PROFILE_0 on an empty list; after a name with "_", PROFILE_ and one more than the number after the
  // first "_"; after a name without one, that name, "_" and the count. The new entry is selected.
  Outcome New();
  // "Copy <name>" at the end, carrying a copy of the selected entry's settings.
  Outcome Copy();
  // Removes the selected entry; nothing is selected afterwards. The last profile stays: without one,
  // nothing could be loaded or saved.
  Outcome Delete();
  // The first Edit on an entry arms it; the second on the same entry returns true: open the editor.
  bool Edit();
  // A name for the list: not blank, no line breaks or other control characters, at most 64 bytes, and
  // not another entry's name (the current profile is stored by its name). Returns the reason when the
  // name is refused.
  std::string Rename(int position, std::string_view name);

  // Why New, Copy or Delete changed nothing, in the model's language; empty for kDone.
  std::string_view RefusalOf(Outcome outcome) const;

  // The position of the entry whose settings were at pair when the list was read; -1 when it was deleted.
  int PositionOf(int pair) const;

  // The position that becomes current on closing: the selected entry, else the first.
  int CurrentPosition() const { return selected_ >= 0 ? selected_ : 0; }

  // Links the application to the entry at position, in place of any link it had; returns the reason
  // when the id is refused.
  std::string Link(int position, std::string_view appId);
  // False when the application has no link.
  bool Unlink(std::string_view appId);
  // The profile for applications without a link; -1 for none (the list's first).
  void SetDefault(int position);

  // rules as writing this list leaves them: links and a default that name a profile of the list as it
  // was read take its name now, or go when it was deleted; then the links and the default set here
  // apply. Links to names the list did not hold stay.
  AppProfiles FollowedRules(AppProfiles rules) const;
  // The rules read with the list, as they stand now.
  AppProfiles rules() const { return FollowedRules(rules_); }

  // The right-click menu's links for the entry at position: the applications it can be linked to (seen
  // ones, in the order seen, once each, without those linked to it already) and those it can be unlinked
  // from.
  struct LinkMenu {
    std::vector<std::string> link;
    std::vector<std::string> unlink;
  };
  LinkMenu LinkMenuFor(int position, const std::vector<std::string>& seen) const;

 private:
  // The entry that holds the profile read at position, or nothing when it was deleted.
  const Entry* EntryRead(int position) const;
  // What the name of a profile as read is now; nothing when it was deleted, the name itself when the
  // list did not hold it.
  std::optional<std::string> Followed(const std::string& name) const;

  std::vector<Entry> entries_;
  int selected_ = -1;
  int armed_ = -1;
  std::string copyWord_;
  std::string prefix_;
  Language language_;
  std::vector<std::string> readNames_;
  AppProfiles rules_;
  // Applications linked here, in order: to the entry at a position, or unlinked (-1).
  std::vector<std::pair<std::string, int>> linkEdits_;
  std::optional<int> defaultEdit_;  // a position, or -1 for no default
};

// Writes files as one; the seam through which tests fail a chosen step.
using WholeFileWriter = std::function<Status(std::span<const FileContents> files)>;

// Closing the manager: every position whose settings change gets its pair from its source (read in full
// before anything is written), then str.ini's list is rewritten with the entry at position current as the
// current profile, then app-profiles.ini as FollowedRules leaves the rules it holds now (when they
// change). Each pair is replaced as one, so stopping at any step leaves every pair of every position
// whole. Positions freed by a delete get the factory pair. Writes nothing when str.ini does not exist or
// app-profiles.ini exists but cannot be read. Callers hold the folder lock.
Status WriteProfileManager(const ProgramFolder& folder, const ProfileManagerModel& model, int current,
                           const WholeFileWriter& write);
Status WriteProfileManager(const ProgramFolder& folder, const ProfileManagerModel& model, int current);

}  // namespace korvane
