#include "common/machine_name.h"

#include <sys/utsname.h>

namespace korvane {

std::string MachineName() {
  utsname name{};
  return ::uname(&name) == 0 ? std::string(name.machine) : std::string("unknown");
}

}  // namespace korvane
