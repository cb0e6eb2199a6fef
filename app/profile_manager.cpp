#include "app/profile_manager.h"

#include <algorithm>
#include <array>
#include <optional>

#include "common/file_io.h"
#include "common/path_text.h"
#include "common/text.h"
#include "common/numbers.h"
#include "config/ini_file.h"
#include "config/value_rules.h"
#include "profile/config_files.h"

namespace korvane {

namespace {

constexpr std::size_t kMaxNameBytes = 64;

std::filesystem::path ConfigPathOf(const ProgramFolder& folder, int position) {
  return folder.File(ProfileConfigName(position));
}
std::filesystem::path LabelPathOf(const ProgramFolder& folder, int position) {
  return folder.File(ProfileLabelName(position));
}

struct PairBytes {
  std::string config;
  std::string labels;
};

// A profile's files as they are now; the factory pair is config.bin and str.ini without its list.
std::optional<PairBytes> ReadPair(const ProgramFolder& folder, int pair) {
  if (pair == ProfileManagerModel::kFactoryPair) {
    auto config = ReadWholeFile(folder.File(kFactoryConfigName), kConfigFileSize);
    auto list = ReadWholeFile(folder.File(kProfileListName));
    if (!config || !list) return std::nullopt;
    IniDocument labels = IniDocument::Parse(*list);
    labels.DeleteSection("Profile");
    return PairBytes{std::move(*config), labels.Serialize()};
  }
  auto config = ReadWholeFile(ConfigPathOf(folder, pair), kConfigFileSize);
  auto labels = ReadWholeFile(LabelPathOf(folder, pair));
  if (!config || !labels) return std::nullopt;
  return PairBytes{std::move(*config), std::move(*labels)};
}

}  // namespace

ProfileManagerModel::ProfileManagerModel(const ProfileList& list, std::string_view copyWord, std::string_view prefix,
                                         Language language, AppProfiles rules)
    : selected_(list.selected),
      copyWord_(copyWord),
      prefix_(prefix),
      language_(language),
      readNames_(list.names),
      rules_(std::move(rules)) {
  for (std::size_t i = 0; i < list.names.size(); ++i) entries_.push_back({list.names[i], static_cast<int>(i)});
}

void ProfileManagerModel::Select(int position) {
  selected_ = position >= 0 && position < static_cast<int>(entries_.size()) ? position : -1;
}

ProfileManagerModel::Outcome ProfileManagerModel::New() {
  const std::size_t count = entries_.size();
  if (count >= static_cast<std::size_t>(kMaxProfiles)) return Outcome::kLimit;
  std::string name;
  if (count == 0) {
    name = prefix_ + "_0";
  } else {
    const std::string& last = entries_.back().name;
    const std::size_t underscore = last.find('_');
    name = underscore == std::string::npos
               ? last + "_" + std::to_string(count)
               : prefix_ + "_" + std::to_string(LeadingNumber(std::string_view(last).substr(underscore + 1)) + 1);
  }
  entries_.push_back({std::move(name), kFactoryPair});
  selected_ = static_cast<int>(count);
  return Outcome::kDone;
}

ProfileManagerModel::Outcome ProfileManagerModel::Copy() {
  if (selected_ < 0) return Outcome::kNoSelection;
  if (entries_.size() >= static_cast<std::size_t>(kMaxProfiles)) return Outcome::kLimit;
  const Entry& source = entries_[static_cast<std::size_t>(selected_)];
  entries_.push_back({copyWord_ + " " + source.name, source.pair, true});
  return Outcome::kDone;
}

ProfileManagerModel::Outcome ProfileManagerModel::Delete() {
  if (selected_ < 0) return Outcome::kNoSelection;
  if (entries_.size() == 1) return Outcome::kLastProfile;
  entries_.erase(entries_.begin() + selected_);
  // What was linked here goes with it; links to the entries below follow them up.
  const auto moveUp = [deleted = selected_](int& position) {
    if (position == deleted) {
      position = -1;
    } else if (position > deleted) {
      --position;
    }
  };
  for (auto& edit : linkEdits_) moveUp(edit.second);
  if (defaultEdit_) moveUp(*defaultEdit_);
  selected_ = -1;
  armed_ = -1;
  return Outcome::kDone;
}

bool ProfileManagerModel::Edit() {
  if (selected_ < 0) return false;
  if (armed_ == selected_) return true;
  armed_ = selected_;
  return false;
}

std::string ProfileManagerModel::Rename(int position, std::string_view name) {
  const MessageStrings& text = MessageStringsFor(language_);
  if (position < 0 || position >= static_cast<int>(entries_.size())) return std::string(text.noSuchProfile);
  if (name.find_first_not_of(' ') == std::string_view::npos) return std::string(text.profileNameBlank);
  for (const char c : name) {
    if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F) return std::string(text.profileNameBreaks);
  }
  if (name.size() > kMaxNameBytes) return std::string(text.profileNameTooLong);
  for (std::size_t i = 0; i < entries_.size(); ++i) {
    if (static_cast<int>(i) != position && entries_[i].name == name) return std::string(text.profileNameTaken);
  }
  entries_[static_cast<std::size_t>(position)].name = std::string(name);
  return {};
}

std::string_view ProfileManagerModel::RefusalOf(Outcome outcome) const {
  switch (outcome) {
    case Outcome::kDone: break;
    case Outcome::kLimit: return ProfileManagerStringsFor(language_).profileLimit;
    case Outcome::kLastProfile: return MessageStringsFor(language_).lastProfile;
    case Outcome::kNoSelection: return MessageStringsFor(language_).noSuchProfile;
  }
  return {};
}

int ProfileManagerModel::PositionOf(int pair) const {
  const auto found = std::ranges::find_if(entries_, [pair](const Entry& entry) { return entry.pair == pair; });
  return found == entries_.end() ? -1 : static_cast<int>(found - entries_.begin());
}

std::string ProfileManagerModel::Link(int position, std::string_view appId) {
  if (position < 0 || position >= static_cast<int>(entries_.size())) {
    return std::string(MessageStringsFor(language_).noSuchProfile);
  }
  if (std::string refusal = ApplicationIdRefusal(appId, language_); !refusal.empty()) return refusal;
  linkEdits_.emplace_back(appId, position);
  return {};
}

bool ProfileManagerModel::Unlink(std::string_view appId) {
  if (rules().LinkOf(appId) == nullptr) return false;
  linkEdits_.emplace_back(appId, -1);
  return true;
}

void ProfileManagerModel::SetDefault(int position) {
  defaultEdit_ = position >= 0 && position < static_cast<int>(entries_.size()) ? position : -1;
}

const ProfileManagerModel::Entry* ProfileManagerModel::EntryRead(int position) const {
  const auto found = std::ranges::find_if(
      entries_, [position](const Entry& entry) { return entry.pair == position && !entry.copied; });
  return found == entries_.end() ? nullptr : &*found;
}

std::optional<std::string> ProfileManagerModel::Followed(const std::string& name) const {
  bool listed = false;
  for (std::size_t position = 0; position < readNames_.size(); ++position) {
    if (readNames_[position] != name) continue;
    listed = true;
    if (const Entry* entry = EntryRead(static_cast<int>(position)); entry != nullptr) return entry->name;
  }
  if (listed) return std::nullopt;
  return name;
}

AppProfiles ProfileManagerModel::FollowedRules(AppProfiles rules) const {
  std::vector<std::pair<std::string, std::string>> links;
  for (auto& [app, profile] : rules.links) {
    if (std::optional<std::string> name = Followed(profile)) links.emplace_back(std::move(app), std::move(*name));
  }
  rules.links = std::move(links);
  if (!rules.defaultProfile.empty()) rules.defaultProfile = Followed(rules.defaultProfile).value_or("");
  for (const auto& [app, position] : linkEdits_) {
    if (position >= 0) {
      rules.Link(app, entries_[static_cast<std::size_t>(position)].name);
    } else {
      rules.Unlink(app);
    }
  }
  if (defaultEdit_) {
    rules.defaultProfile = *defaultEdit_ >= 0 ? entries_[static_cast<std::size_t>(*defaultEdit_)].name : "";
  }
  return rules;
}

ProfileManagerModel::LinkMenu ProfileManagerModel::LinkMenuFor(int position,
                                                               const std::vector<std::string>& seen) const {
  LinkMenu menu;
  if (position < 0 || position >= static_cast<int>(entries_.size())) return menu;
  const AppProfiles now = rules();
  const std::string& name = entries_[static_cast<std::size_t>(position)].name;
  menu.unlink = now.LinkedTo(name);
  for (std::size_t i = 0; i < seen.size(); ++i) {
    const std::string& app = seen[i];
    const auto sameApp = [&app](const std::string& other) { return EqualsIgnoringCase(other, app); };
    const bool seenBefore = std::any_of(seen.begin(), seen.begin() + static_cast<std::ptrdiff_t>(i), sameApp);
    if (seenBefore || !ApplicationIdRefusal(app).empty()) continue;
    if (const std::string* linked = now.LinkOf(app); linked == nullptr || *linked != name) menu.link.push_back(app);
  }
  return menu;
}

Status WriteProfileManager(const ProgramFolder& folder, const ProfileManagerModel& model, int current,
                           const WholeFileWriter& write) {
  const std::filesystem::path listPath = folder.File(kProfileListName);
  if (!IniFile(listPath).Exists()) return Status::Failure(PathToUtf8(listPath) + " does not exist");
  const std::filesystem::path rulesPath = folder.File(kAppProfilesName);
  AppProfiles rulesRead;
  if (Status read = ReadAppProfiles(rulesPath, rulesRead); !read) {
    return Status::Failure(read.message() + "; the profile list is unchanged.");
  }
  const AppProfiles rules = model.FollowedRules(rulesRead);

  // Which positions change, and the bytes they get, all read before the first write.
  const std::vector<ProfileManagerModel::Entry>& entries = model.entries();
  std::vector<std::pair<int, PairBytes>> changes;
  for (int position = 0; position < kMaxProfiles; ++position) {
    const bool listed = position < static_cast<int>(entries.size());
    const int source = listed ? entries[static_cast<std::size_t>(position)].pair : ProfileManagerModel::kFactoryPair;
    if (source == position) continue;
    // A position beyond the list that never held a profile keeps whatever it has.
    if (!listed && !std::filesystem::exists(ConfigPathOf(folder, position))) continue;
    std::optional<PairBytes> bytes = ReadPair(folder, source);
    if (!bytes) {
      return Status::Failure("The settings of profile " + std::to_string(position + 1) +
                             " cannot be read; the profile list is unchanged.");
    }
    changes.emplace_back(position, std::move(*bytes));
  }
  for (auto& [position, bytes] : changes) {
    const std::array<FileContents, 2> pair = {FileContents{ConfigPathOf(folder, position), std::move(bytes.config)},
                                              FileContents{LabelPathOf(folder, position), std::move(bytes.labels)}};
    if (Status written = write(pair); !written) return written;
  }
  std::vector<std::string> names;
  for (const auto& entry : entries) names.push_back(entry.name);
  if (Status listed = WriteProfileList(listPath, names, current); !listed) return listed;
  if (rules == rulesRead) return Status::Ok();
  const std::array<FileContents, 1> rulesFile = {
      FileContents{rulesPath, SerializeAppProfiles(rules, ReadWholeFile(rulesPath).value_or(""))}};
  if (Status written = write(rulesFile); !written) {
    return Status::Failure("The profile list is saved, but the application links are not: " + written.message());
  }
  return Status::Ok();
}

Status WriteProfileManager(const ProgramFolder& folder, const ProfileManagerModel& model, int current) {
  return WriteProfileManager(folder, model, current, ReplaceFiles);
}

}  // namespace korvane
