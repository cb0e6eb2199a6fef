#include "common/file_io.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

namespace korvane {

namespace {

Status WriteAll(int fd, std::string_view bytes) {
  while (!bytes.empty()) {
    const ssize_t written = ::write(fd, bytes.data(), bytes.size());
    if (written < 0) {
      if (errno == EINTR) continue;
      return Status::FromErrno("write failed", errno);
    }
    bytes.remove_prefix(static_cast<std::size_t>(written));
  }
  return Status::Ok();
}

}  // namespace

Status ReplaceFileContents(const std::filesystem::path& path, std::string_view bytes) {
  std::string temp = path.string() + ".XXXXXX";
  const int fd = ::mkstemp(temp.data());
  if (fd < 0) return Status::FromErrno("cannot create a file beside " + path.string(), errno);

  Status status = WriteAll(fd, bytes);
  // Keep the permissions of the file being replaced (mkstemp creates 0600).
  struct stat existing {};
  const mode_t mode = ::stat(path.c_str(), &existing) == 0 ? (existing.st_mode & 07777) : 0644;
  if (status && ::fchmod(fd, mode) != 0) status = Status::FromErrno("chmod failed", errno);
  if (status && ::fsync(fd) != 0) status = Status::FromErrno("cannot flush " + temp, errno);
  if (::close(fd) != 0 && status) status = Status::FromErrno("cannot close " + temp, errno);
  if (status && ::rename(temp.c_str(), path.c_str()) != 0) {
    status = Status::FromErrno("cannot replace " + path.string(), errno);
  }
  if (!status) ::unlink(temp.c_str());
  return status;
}

}  // namespace korvane
