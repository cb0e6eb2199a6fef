#include "common/file_io.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <fstream>
#include <iterator>

namespace korvane {

std::optional<std::string> ReadWholeFile(const std::filesystem::path& path, std::size_t maxBytes) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return std::nullopt;
  std::string bytes;
  char buffer[16384];
  while (in.read(buffer, sizeof buffer) || in.gcount() > 0) {
    bytes.append(buffer, static_cast<std::size_t>(in.gcount()));
    if (bytes.size() > maxBytes) return std::nullopt;
  }
  if (in.bad()) return std::nullopt;
  return bytes;
}

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

Status WriteFileReplacing(const std::filesystem::path& path, std::string_view bytes) {
  // A file that already holds the bytes is left alone: nothing to lose, and a read-only folder whose
  // files are current needs no write.
  if (const auto current = ReadWholeFile(path, bytes.size()); current && *current == bytes) return Status::Ok();

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
