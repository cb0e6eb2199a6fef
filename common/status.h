#pragma once

#include <string>
#include <utility>

namespace korvane {

// Outcome of an operation that touches the system: ok, or what went wrong in words a user can act on,
// with the errno value when the failure came from a system call (0 otherwise).
class Status {
 public:
  static Status Ok() { return Status(); }
  static Status Failure(std::string message, int errorCode = 0) {
    Status status;
    status.ok_ = false;
    status.message_ = std::move(message);
    status.errorCode_ = errorCode;
    return status;
  }
  // A failed system call: "<what>: <strerror(errorCode)>".
  static Status FromErrno(const std::string& what, int errorCode);

  bool ok() const { return ok_; }
  explicit operator bool() const { return ok_; }
  const std::string& message() const { return message_; }
  int errorCode() const { return errorCode_; }

 private:
  bool ok_ = true;
  std::string message_;
  int errorCode_ = 0;
};

}  // namespace korvane
