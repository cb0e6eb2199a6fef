#pragma once

#include <filesystem>
#include <string>
#include <string_view>

#include "common/path_text.h"
#include "config/label_file.h"
#include "config/program_folder.h"

namespace korvane {

// Where the images come from and the colour texts are drawn in; fixed at start-up.
struct SkinSettings {
  std::filesystem::path folder;  // data folder + "/Skins/" + "Path"
  int red = 0, green = 0, blue = 0;

  // Skin image names begin with "/", as "/main.png".
  std::filesystem::path ImagePath(std::string_view name) const {
    std::filesystem::path path = folder;
    return path += PathFromUtf8(name);
  }
};

inline constexpr std::string_view kDefaultSkinName = "Default";
// The default skin's text colour, as the factory label files give it: each channel 220. A colour key that
// is missing or holds no number falls back to it, so that captions stay readable on the dark skin.
inline constexpr int kDefaultSkinTextChannel = 220;

// A colour key as the profile functions read numbers: leading digits, anything else 0; clamped to 255.
int ColorChannelFromText(std::string_view text);

// An empty "Path" names the default skin; a colour key without a number gives kDefaultSkinTextChannel.
SkinSettings SkinSettingsFrom(const ProgramFolder& folder, const LabelSettings& labels);

}  // namespace korvane
