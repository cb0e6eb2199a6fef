// Any bytes as app-profiles.ini: what the rules read from it are written back exactly, whether they
// changed or not, and a write of unchanged rules leaves the bytes as they were.
#include <cstdint>
#include <string>
#include <string_view>

#include "app/app_profiles.h"
#include "fuzz_input.h"

using korvane::AppProfiles;
using korvane::fuzz::Require;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  const AppProfiles read = korvane::ParseAppProfiles(bytes);
  for (const auto& [app, profile] : read.links) {
    Require(korvane::ApplicationIdRefusal(app).empty() && !profile.empty());
  }
  Require(korvane::ParseAppProfiles(korvane::SerializeAppProfiles(read, bytes)) == read);

  AppProfiles changed = read;
  if (!changed.links.empty()) changed.Unlink(changed.links.front().first);
  changed.Link("steam_app_1234", "Racing");
  changed.defaultProfile = read.defaultProfile.empty() ? "Desktop" : "";
  Require(korvane::ParseAppProfiles(korvane::SerializeAppProfiles(changed, bytes)) == changed);
  return 0;
}
