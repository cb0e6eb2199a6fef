#include "app/app_profiles.h"

#include <algorithm>

#include "common/file_io.h"
#include "common/text.h"
#include "config/ini_file.h"

namespace korvane {

namespace {

constexpr std::string_view kApplicationsSection = "Applications";
constexpr std::string_view kDefaultSection = "Default";
constexpr std::string_view kDefaultKey = "Profile";
constexpr std::size_t kMaxFileBytes = 1u << 20;

bool Listed(std::string_view name, const std::vector<std::string>& names) {
  return std::ranges::find(names, name) != names.end();
}

AppProfiles RulesOf(const IniDocument& document) {
  AppProfiles rules;
  for (const auto& [app, profile] : document.Entries(kApplicationsSection)) {
    if (profile.empty() || !ApplicationIdRefusal(app).empty() || rules.LinkOf(app) != nullptr) continue;
    rules.links.emplace_back(app, profile);
  }
  rules.defaultProfile = document.Get(kDefaultSection, kDefaultKey);
  return rules;
}

}  // namespace

std::string AppProfiles::ProfileFor(std::string_view appId, const std::vector<std::string>& names) const {
  if (const std::string* linked = LinkOf(appId); linked != nullptr && Listed(*linked, names)) return *linked;
  return DefaultFor(names);
}

std::string AppProfiles::DefaultFor(const std::vector<std::string>& names) const {
  if (names.empty()) return {};
  return Listed(defaultProfile, names) ? defaultProfile : names.front();
}

const std::string* AppProfiles::LinkOf(std::string_view appId) const {
  const auto found =
      std::ranges::find_if(links, [appId](const auto& link) { return EqualsIgnoringCase(link.first, appId); });
  return found == links.end() ? nullptr : &found->second;
}

std::vector<std::string> AppProfiles::LinkedTo(std::string_view profileName) const {
  std::vector<std::string> apps;
  for (const auto& [app, profile] : links) {
    if (profile == profileName) apps.push_back(app);
  }
  return apps;
}

void AppProfiles::Link(std::string_view appId, std::string_view profileName) {
  for (auto& [app, profile] : links) {
    if (!EqualsIgnoringCase(app, appId)) continue;
    app = appId;
    profile = profileName;
    return;
  }
  links.emplace_back(appId, profileName);
}

bool AppProfiles::Unlink(std::string_view appId) {
  return std::erase_if(links, [appId](const auto& link) { return EqualsIgnoringCase(link.first, appId); }) > 0;
}

std::string ApplicationIdRefusal(std::string_view appId, Language language) {
  const MessageStrings& text = MessageStringsFor(language);
  if (appId.empty()) return std::string(text.applicationIdBlank);
  // The INI layer trims blanks around a key, reads a line that starts with ";" as a comment, ends a key
  // at the first "=" and takes a line that starts with "[" for a section.
  const bool breaksKey = appId.front() == ' ' || appId.back() == ' ' || appId.front() == ';' ||
                         std::ranges::any_of(appId, [](char c) {
                           return static_cast<unsigned char>(c) < 0x20 || c == 0x7F || c == '=' || c == '[' ||
                                  c == ']';
                         });
  if (breaksKey) return std::string(text.applicationIdCharacters);
  if (appId.size() > kMaxApplicationIdBytes) {
    return FillIn(text.applicationIdTooLong, {std::to_string(kMaxApplicationIdBytes)});
  }
  return {};
}

AppProfiles ParseAppProfiles(std::string_view bytes) { return RulesOf(IniDocument::Parse(bytes)); }

Status ReadAppProfiles(const std::filesystem::path& file, AppProfiles& rules) {
  rules = {};
  std::error_code error;
  if (!std::filesystem::exists(file, error) && !error) return Status::Ok();
  std::string bytes;
  if (Status read = ReadRegularFile(file, bytes, kMaxFileBytes); !read) return read;
  rules = ParseAppProfiles(bytes);
  return Status::Ok();
}

AppProfiles ReadAppProfiles(const std::filesystem::path& file) {
  AppProfiles rules;
  if (!ReadAppProfiles(file, rules)) rules = {};
  return rules;
}

std::string SerializeAppProfiles(const AppProfiles& rules, std::string_view previous) {
  IniDocument document = IniDocument::Parse(previous);
  const AppProfiles held = RulesOf(document);
  if (rules.links != held.links) {
    // Only the first links section is read; a later one would take the links written in its place.
    while (document.HasSection(kApplicationsSection)) document.DeleteSection(kApplicationsSection);
    for (const auto& [app, profile] : rules.links) document.Set(kApplicationsSection, app, profile);
  }
  if (rules.defaultProfile != held.defaultProfile) document.Set(kDefaultSection, kDefaultKey, rules.defaultProfile);
  return document.Serialize();
}

Status WriteAppProfiles(const std::filesystem::path& file, const AppProfiles& rules) {
  return WriteFileReplacing(file, SerializeAppProfiles(rules, ReadWholeFile(file, kMaxFileBytes).value_or("")));
}

}  // namespace korvane
