#pragma once

#include <string_view>

#include "ui/main_page_layout.h"
#include "ui/skin_inventory.h"

namespace korvane::testing {

// The default skin's content heights, as the window reads them.
inline MainPageState::ContentHeights SkinHeights() {
  MainPageState::ContentHeights heights{};
  for (int i = 0; i < kMainSectionCount; ++i) {
    const std::string_view image = SectionInfo(static_cast<MainSection>(i)).contentImage;
    heights[i] = image.empty() ? 0 : SkinImageSize(image)->height;
  }
  return heights;
}

}  // namespace korvane::testing
