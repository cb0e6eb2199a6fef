#include "common/file_io.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdint>
#include <limits>

namespace korvane {

namespace {

using file_system::Problem;

// A failed write, fsync or close of the temporary for target: a full disk and the file size limit in plain
// words, anything else as the system says it.
Status WriteFailure(const std::string& what, const std::filesystem::path& target, int error) {
  if (error == ENOSPC || error == EDQUOT) return file_system::Refusal(Problem::kDiskFull, target, error);
  if (error == EFBIG) return file_system::Refusal(Problem::kSizeLimit, target, error);
  return Status::FromErrno(what, error);
}

Status WriteAll(int fd, std::string_view bytes, const std::filesystem::path& target) {
  while (!bytes.empty()) {
    const ssize_t written = ::write(fd, bytes.data(), bytes.size());
    if (written < 0) {
      if (errno == EINTR) continue;
      return WriteFailure("cannot write " + target.string(), target, errno);
    }
    bytes.remove_prefix(static_cast<std::size_t>(written));
  }
  return Status::Ok();
}

}  // namespace

Status ReadRegularFile(const std::filesystem::path& path, std::string& bytes, std::size_t maxBytes) {
  bytes.clear();
  // Non-blocking, so that a FIFO without a writer or a device is refused below instead of waited on.
  const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
  if (fd < 0) {
    if (errno == ENOENT) return file_system::Refusal(Problem::kMissing, path, errno);
    return Status::FromErrno("cannot read " + path.string(), errno);
  }
  Status status;
  struct stat info {};
  if (::fstat(fd, &info) != 0) {
    status = Status::FromErrno("cannot read " + path.string(), errno);
  } else if (S_ISDIR(info.st_mode)) {
    status = file_system::Refusal(Problem::kFolder, path);
  } else if (!S_ISREG(info.st_mode)) {
    status = file_system::Refusal(Problem::kNotRegularFile, path);
  } else if (static_cast<std::uintmax_t>(info.st_size) > maxBytes) {
    status = file_system::LargerThan(path, maxBytes);
  }
  // The size is only a hint (files under /sys say 4096): read to the end, and no further than allowed.
  char buffer[16384];
  while (status) {
    const ssize_t got = ::read(fd, buffer, sizeof buffer);
    if (got < 0 && errno == EINTR) continue;
    if (got < 0) {
      status = Status::FromErrno("cannot read " + path.string(), errno);
    } else if (got == 0) {
      break;
    } else if (bytes.size() + static_cast<std::size_t>(got) > maxBytes) {
      status = file_system::LargerThan(path, maxBytes);
    } else {
      bytes.append(buffer, static_cast<std::size_t>(got));
    }
  }
  ::close(fd);
  if (!status) bytes.clear();
  return status;
}

namespace file_system {

Status Stage(const std::filesystem::path& target, std::string_view bytes, StagedFile& staged) {
  std::string temp = TemporaryName(target, static_cast<unsigned long>(::getpid()), "XXXXXX").string();
  const int fd = ::mkostemp(temp.data(), O_CLOEXEC);
  if (fd < 0) return Status::FromErrno("cannot create a file beside " + target.string(), errno);

  Status status = WriteAll(fd, bytes, target);
  // Keep the permissions of the file being replaced (mkstemp creates 0600).
  struct stat existing {};
  const mode_t mode = ::stat(target.c_str(), &existing) == 0 ? (existing.st_mode & 07777) : 0644;
  if (status && ::fchmod(fd, mode) != 0) {
    status = Status::FromErrno("cannot give the new " + target.string() + " the old one's permissions", errno);
  }
  if (status && ::fsync(fd) != 0) status = WriteFailure("cannot flush " + temp, target, errno);
  if (::close(fd) != 0 && status) status = WriteFailure("cannot close " + temp, target, errno);
  if (!status) {
    ::unlink(temp.c_str());
    return status;
  }
  staged = {target, temp};
  return Status::Ok();
}

Status Commit(const StagedFile& staged) {
  if (::rename(staged.temporary.c_str(), staged.target.c_str()) != 0) {
    return Status::FromErrno("cannot replace " + staged.target.string(), errno);
  }
  return Status::Ok();
}

void Discard(const StagedFile& staged) { ::unlink(staged.temporary.c_str()); }

bool ProcessHasEnded(unsigned long id) {
  // Ids beyond pid_t would turn negative and name process groups.
  if (id == 0 || id > static_cast<unsigned long>(std::numeric_limits<pid_t>::max())) return false;
  return ::kill(static_cast<pid_t>(id), 0) != 0 && errno == ESRCH;
}

}  // namespace file_system

}  // namespace korvane
