#include "ui/skin_inventory.h"

#include <algorithm>

namespace korvane {

std::string NumberedSkinImage(std::string_view family, int number) {
  std::string name(family);
  const auto at = name.find("%d");
  if (at != std::string::npos) name.replace(at, 2, std::to_string(number));
  return name;
}

const std::vector<SkinImage>& SkinInventory() {
  static const std::vector<SkinImage> inventory = [] {
    std::vector<SkinImage> images;
    for (const SkinImageFamily& family : kSkinImageFamilies) {
      if (family.numbers.empty()) {
        images.push_back({std::string(family.name), family.size});
        continue;
      }
      for (int number : family.numbers) images.push_back({NumberedSkinImage(family.name, number), family.size});
    }
    return images;
  }();
  return inventory;
}

std::optional<SkinSize> SkinImageSize(std::string_view name) {
  const auto& inventory = SkinInventory();
  const auto found =
      std::find_if(inventory.begin(), inventory.end(), [name](const SkinImage& image) { return image.name == name; });
  if (found == inventory.end()) return std::nullopt;
  return found->size;
}

}  // namespace korvane
