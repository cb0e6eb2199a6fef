#include "app/start_up.h"

namespace korvane {

bool SessionHasDisplay() { return true; }

}  // namespace korvane
