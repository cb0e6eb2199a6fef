#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "common/status.h"
#include "text/strings.h"

namespace korvane {

// The rules that choose a profile for the application that has the focus, kept in the program folder:
//
//   [Default]
//   Profile=Desktop
//   [Applications]
//   steam_app_1234=Racing
//
// An application id is what the desktop calls the window's program (an X11 WM_CLASS, a Wayland app id).
// Links name profiles by their names in the profile list.
inline constexpr std::string_view kAppProfilesName = "app-profiles.ini";
inline constexpr std::size_t kMaxApplicationIdBytes = 255;

struct AppProfiles {
  std::vector<std::pair<std::string, std::string>> links;  // application id -> profile name, file order
  std::string defaultProfile;  // the profile for every other application; empty: the list's first

  // The profile name an application gets: its link (ids compare without regard to ASCII case), else
  // DefaultFor. names is the profile list in order.
  std::string ProfileFor(std::string_view appId, const std::vector<std::string>& names) const;
  // The default when it names a profile of the list, else the list's first name; empty for an empty list.
  std::string DefaultFor(const std::vector<std::string>& names) const;
  // The profile linked to the application, or nothing.
  const std::string* LinkOf(std::string_view appId) const;
  // The applications linked to the profile, in file order.
  std::vector<std::string> LinkedTo(std::string_view profileName) const;
  // Links the application to the profile, in place of a link it had.
  void Link(std::string_view appId, std::string_view profileName);
  // False when the application had no link.
  bool Unlink(std::string_view appId);

  bool operator==(const AppProfiles&) const = default;
};

// Why an application id cannot be stored (it must survive as an INI key), or empty when it can.
std::string ApplicationIdRefusal(std::string_view appId, Language language = Language::English);

// The rules a file's bytes hold: lines that are not a valid link are skipped, and of two links of one
// application (in any case) the first counts.
AppProfiles ParseAppProfiles(std::string_view bytes);
// A missing file holds no rules; one that exists but cannot be read fails, so that a writer never replaces
// rules it could not see.
Status ReadAppProfiles(const std::filesystem::path& file, AppProfiles& rules);
// The same for readers only: a file that cannot be read holds no rules.
AppProfiles ReadAppProfiles(const std::filesystem::path& file);
// The bytes of a file that held previous, with rules in place of the ones it held. What the rules do not
// set stays as it was: other sections and keys, comments outside the links, encoding and line ends. When
// the links change, their section is written anew at the end, in their order.
std::string SerializeAppProfiles(const AppProfiles& rules, std::string_view previous);
// Rewrites the file whole, as SerializeAppProfiles leaves it.
Status WriteAppProfiles(const std::filesystem::path& file, const AppProfiles& rules);

}  // namespace korvane
