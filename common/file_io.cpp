#include "common/file_io.h"

#include <vector>

#include "common/path_text.h"

namespace korvane {

namespace fs = std::filesystem;

namespace {

// As the system resolves paths; beyond this a chain of links is taken for a loop.
constexpr int kMaxLinks = 40;

// Where the bytes for path go: path itself, or the file its symbolic links lead to. A target that exists
// and is not a regular file is refused before anything is opened.
Status ResolveTarget(const fs::path& path, fs::path& target) {
  target = path;
  for (int links = 0; links <= kMaxLinks; ++links) {
    std::error_code error;
    const fs::file_status status = fs::symlink_status(target, error);
    switch (status.type()) {
      case fs::file_type::not_found:  // a new file
      case fs::file_type::regular:
        return Status::Ok();
      case fs::file_type::symlink: {
        const fs::path next = fs::read_symlink(target, error);
        if (error) {
          return Status::Failure("cannot follow the link " + PathToUtf8(target) + ": " + error.message(), error.value());
        }
        target = next.is_absolute() ? next : target.parent_path() / next;
        break;
      }
      case fs::file_type::none:
        return Status::Failure("cannot replace " + PathToUtf8(path) + ": " + error.message(), error.value());
      case fs::file_type::directory:
        return Status::Failure("cannot replace " + PathToUtf8(path) + ": " +
                               file_system::Refusal(file_system::Problem::kFolder, target).message());
      default:
        return Status::Failure("cannot replace " + PathToUtf8(path) + ": " +
                               file_system::Refusal(file_system::Problem::kNotRegularFile, target).message());
    }
  }
  return Status::Failure("cannot replace " + PathToUtf8(path) + ": its symbolic links go round in a loop");
}

bool AlreadyHolds(const fs::path& target, std::string_view bytes) {
  std::string current;
  return ReadRegularFile(target, current, bytes.size()) && current == bytes;
}

// ReplaceFiles, with the choice of writing files that already hold their bytes.
Status Replace(std::span<const FileContents> files, bool skipCurrent) {
  std::vector<file_system::StagedFile> staged;
  const auto discardFrom = [&](std::size_t first) {
    for (std::size_t i = first; i < staged.size(); ++i) file_system::Discard(staged[i]);
  };
  for (const FileContents& file : files) {
    fs::path target;
    Status status = ResolveTarget(file.path, target);
    // A file that already holds the bytes is left alone: nothing to lose, and a read-only folder whose
    // files are current needs no write.
    if (status && skipCurrent && AlreadyHolds(target, file.bytes)) continue;
    file_system::StagedFile next;
    if (status) status = file_system::Stage(target, file.bytes, next);
    if (!status) {
      discardFrom(0);
      return status;
    }
    staged.push_back(std::move(next));
  }
  for (std::size_t i = 0; i < staged.size(); ++i) {
    if (Status status = file_system::Commit(staged[i]); !status) {
      discardFrom(i);
      return status;
    }
  }
  return Status::Ok();
}

// The process id in a temporary's name "<target name>.korvane-<writer>-<6 letters or digits>"; none for
// any other name.
std::optional<unsigned long> WriterOfTemporary(const fs::path::string_type& name) {
  static const fs::path::string_type mark = fs::path(".korvane-").native();
  constexpr std::size_t kUniqueLength = 6;
  constexpr std::size_t kMaxDigits = 10;  // process ids fit 32 bits
  const std::size_t at = name.rfind(mark);
  if (at == 0 || at == fs::path::string_type::npos || name.size() < at + mark.size() + 2 + kUniqueLength) {
    return std::nullopt;
  }
  const std::size_t dash = name.size() - kUniqueLength - 1;
  if (name[dash] != '-' || dash - (at + mark.size()) > kMaxDigits) return std::nullopt;
  unsigned long long writer = 0;
  for (std::size_t i = at + mark.size(); i < dash; ++i) {
    if (name[i] < '0' || name[i] > '9') return std::nullopt;
    writer = writer * 10 + static_cast<unsigned long long>(name[i] - '0');
  }
  for (std::size_t i = dash + 1; i < name.size(); ++i) {
    const auto c = name[i];
    if (!((c >= '0' && c <= '9') || (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'))) return std::nullopt;
  }
  if (writer == 0 || writer > 0xFFFFFFFFull) return std::nullopt;
  return static_cast<unsigned long>(writer);
}

}  // namespace

std::optional<std::string> ReadWholeFile(const fs::path& path, std::size_t maxBytes) {
  std::string bytes;
  if (!ReadRegularFile(path, bytes, maxBytes)) return std::nullopt;
  return bytes;
}

Status ReplaceFiles(std::span<const FileContents> files) { return Replace(files, true); }

Status WriteFileReplacing(const fs::path& path, std::string_view bytes) {
  const FileContents file{path, std::string(bytes)};
  return Replace({&file, 1}, true);
}

Status ReplaceFileContents(const fs::path& path, std::string_view bytes) {
  const FileContents file{path, std::string(bytes)};
  return Replace({&file, 1}, false);
}

void RemoveStaleTemporaries(const fs::path& folder) {
  std::error_code error;
  for (fs::directory_iterator entry(folder, error), end; !error && entry != end; entry.increment(error)) {
    const std::optional<unsigned long> writer = WriterOfTemporary(entry->path().filename().native());
    std::error_code ignored;
    if (!writer || entry->symlink_status(ignored).type() != fs::file_type::regular) continue;
    if (file_system::ProcessHasEnded(*writer)) fs::remove(entry->path(), ignored);
  }
}

namespace file_system {

Status Refusal(Problem problem, const fs::path& path, int errorCode) {
  switch (problem) {
    case Problem::kFolder:
      return Status::Failure(PathToUtf8(path) + " is a folder", errorCode);
    case Problem::kNotRegularFile:
      return Status::Failure(PathToUtf8(path) + " is not a regular file", errorCode);
    case Problem::kMissing:
      return Status::Failure(PathToUtf8(path) + " does not exist", errorCode);
    case Problem::kDiskFull:
      return Status::Failure("disk full while writing " + PathToUtf8(path.filename()), errorCode);
    case Problem::kSizeLimit:
      return Status::Failure(PathToUtf8(path.filename()) + " would exceed the file size limit", errorCode);
  }
  return Status::Failure(PathToUtf8(path) + " cannot be used", errorCode);
}

Status LargerThan(const fs::path& path, std::size_t maxBytes) {
  return Status::Failure(PathToUtf8(path) + " is larger than " + std::to_string(maxBytes) + " bytes");
}

fs::path TemporaryName(const fs::path& target, unsigned long writer, std::string_view unique) {
  fs::path name = target.filename();
  name += ".korvane-" + std::to_string(writer) + "-" + std::string(unique);
  return target.parent_path() / name;
}

}  // namespace file_system

}  // namespace korvane
