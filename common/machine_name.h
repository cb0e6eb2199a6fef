#pragma once

#include <string>

namespace korvane {

// The processor architecture in uname's words ("x86_64", "aarch64"); "unknown" when it cannot be told.
std::string MachineName();

}  // namespace korvane
