#include "common/folder_watch.h"

namespace korvane {

// Windows has no descriptor for the window's event loop to wait on: the window there does not follow
// changes made to its folder by other programs yet, and works on without the watch.
FolderWatch::~FolderWatch() = default;

Status FolderWatch::Start(const std::filesystem::path&, std::unique_ptr<FolderWatch>&) {
  return Status::Failure("watching a folder is not supported on Windows");
}

std::vector<std::string> FolderWatch::TakeChanges() { return {}; }

}  // namespace korvane
