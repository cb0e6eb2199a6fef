#include "cli/window_handoff.h"

namespace korvane::cli {

ProgramOutputRunner SessionBusRunner() { return {}; }

}  // namespace korvane::cli
