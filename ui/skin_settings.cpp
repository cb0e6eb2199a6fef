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

namespace {

int ColorChannelOrDefault(std::string_view text) {
  const std::size_t first = text.find_first_not_of(" \t");
  const bool number = first != std::string_view::npos && std::isdigit(static_cast<unsigned char>(text[first]));
  return number ? ColorChannelFromText(text) : kDefaultSkinTextChannel;
}

}  // namespace

SkinSettings SkinSettingsFrom(const ProgramFolder& folder, const LabelSettings& labels) {
  SkinSettings skin;
  const std::string name = labels.skinPath.empty() ? std::string(kDefaultSkinName) : labels.skinPath;
  skin.folder = folder.DataFile("Skins") / PathFromUtf8(name);
  skin.red = ColorChannelOrDefault(labels.rColor);
  skin.green = ColorChannelOrDefault(labels.gColor);
  skin.blue = ColorChannelOrDefault(labels.bColor);
  return skin;
}

}  // namespace korvane
