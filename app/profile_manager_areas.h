#pragma once

#include <string_view>

#include "ui/rect.h"

namespace korvane {

// The profile manager window (CConfigDialog): the close button, the profile list, and the row along the
// bottom that makes a new profile.
inline constexpr Rect kProfileManagerClose{240, 8, 255, 23};
inline constexpr Rect kProfileManagerList{0, 31, 263, 575};
inline constexpr Rect kProfileManagerNew{0, 575, 263, 598};

// What the window draws besides the list: its title, and the new row's icon with its caption to the right.
inline constexpr std::string_view kProfileManagerBackground = "/Config/Config.png";
inline constexpr std::string_view kProfileManagerNewImage = "/Config/New-Config.png";
inline constexpr Rect kProfileManagerTitleText{12, 6, 230, 26};
inline constexpr int kProfileManagerNewImageLeft = kProfileManagerNew.left + 14;
inline constexpr int kProfileManagerNewImageTop = kProfileManagerNew.top + 7;
inline constexpr Rect kProfileManagerNewText{32, kProfileManagerNew.top, kProfileManagerNew.right,
                                             kProfileManagerNew.bottom};

enum class ProfileManagerArea { kClose, kNew, kNone };
// The area a left press hits; kNone moves the window.
ProfileManagerArea ProfileManagerAreaAt(int x, int y);

}  // namespace korvane
