#pragma once

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "common/status.h"

namespace korvane {

// Tells which files of one folder (not below it) were written, replaced, created or removed, without a
// thread of its own: the owner waits for descriptor() to become readable in its own event loop (the
// window's), then asks for the names.
class FolderWatch {
 public:
  ~FolderWatch();
  FolderWatch(const FolderWatch&) = delete;
  FolderWatch& operator=(const FolderWatch&) = delete;

  static Status Start(const std::filesystem::path& folder, std::unique_ptr<FolderWatch>& watch);

  // Readable when changes wait to be read.
  int descriptor() const { return fd_; }
  // The names of the files that changed since the last call, each once, in the order first seen; empty
  // when nothing waits.
  std::vector<std::string> TakeChanges();

 private:
  explicit FolderWatch(int fd) : fd_(fd) {}
  int fd_;
};

}  // namespace korvane
