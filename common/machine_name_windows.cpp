#include "common/machine_name.h"

#define WIN32_LEAN_AND_MEAN
#include <windows.h>

namespace korvane {

// The names uname gives the same processors, so that one Update folder layout serves both systems.
std::string MachineName() {
  SYSTEM_INFO info{};
  ::GetNativeSystemInfo(&info);
  switch (info.wProcessorArchitecture) {
    case PROCESSOR_ARCHITECTURE_AMD64: return "x86_64";
    case PROCESSOR_ARCHITECTURE_ARM64: return "aarch64";
    case PROCESSOR_ARCHITECTURE_INTEL: return "i686";
    default: return "unknown";
  }
}

}  // namespace korvane
