#include "ui/skin_settings.h"

#include <algorithm>
#include <cctype>

namespace korvane {

int ColorChannelFromText(std::string_view text) {
  std::size_t i = 0;
  while (i < text.size() && std::isspace(static_cast<unsigned char>(text[i]))) ++i;
  int value = 0;
  for (; i < text.size() && std::isdigit(static_cast<unsigned char>(text[i])); ++i) {
    value = std::min(255, value * 10 + (text[i] - '0'));
  }
  return value;
}

SkinSettings SkinSettingsFrom(const ProgramFolder& folder, const LabelSettings& labels) {
  SkinSettings skin;
  const std::string name = labels.skinPath.empty() ? std::string(kDefaultSkinName) : labels.skinPath;
  skin.folder = folder.dir() / "Skins" / name;
  skin.red = ColorChannelFromText(labels.rColor);
  skin.green = ColorChannelFromText(labels.gColor);
  skin.blue = ColorChannelFromText(labels.bColor);
  return skin;
}

}  // namespace korvane
