#include "app/focus_watch.h"

namespace korvane {

std::string FocusWatcherLineOfThisSession() { return "focus: not followed on Windows"; }

}  // namespace korvane
