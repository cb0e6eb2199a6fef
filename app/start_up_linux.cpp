#include "app/start_up.h"

#include <cstdlib>

namespace korvane {

namespace {

bool IsSet(const char* name) {
  const char* value = std::getenv(name);
  return value != nullptr && value[0] != '\0';
}

}  // namespace

bool SessionHasDisplay() { return IsSet("DISPLAY") || IsSet("WAYLAND_DISPLAY"); }

}  // namespace korvane
