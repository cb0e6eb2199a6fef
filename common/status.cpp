#include "common/status.h"

#include <cstring>

namespace korvane {

Status Status::FromErrno(const std::string& what, int errorCode) {
  return Failure(what + ": " + std::strerror(errorCode), errorCode);
}

}  // namespace korvane
