#include "app/profile_manager_areas.h"

namespace korvane {

ProfileManagerArea ProfileManagerAreaAt(int x, int y) {
  if (kProfileManagerClose.Contains(x, y)) return ProfileManagerArea::kClose;
  if (kProfileManagerNew.Contains(x, y)) return ProfileManagerArea::kNew;
  return ProfileManagerArea::kNone;
}

}  // namespace korvane
