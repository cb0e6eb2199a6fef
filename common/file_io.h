#pragma once

#include <cstddef>
#include <filesystem>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "common/status.h"

namespace korvane {

// Reads a regular file whole, following symbolic links. Anything else (a folder, a FIFO, a device) is
// refused at once without waiting on it, as is a file larger than maxBytes. Failures name the file as
// given and say why: "<path> is a folder", "<path> is not a regular file", "<path> is larger than <N>
// bytes", "<path> does not exist", "cannot read <path>: <system text>".
Status ReadRegularFile(const std::filesystem::path& path, std::string& bytes, std::size_t maxBytes = 64u << 20);
// The same for callers that only need to know whether the file could be read.
std::optional<std::string> ReadWholeFile(const std::filesystem::path& path, std::size_t maxBytes = 64u << 20);

// Writes go to a temporary file beside the target that is renamed over it, so a crash or a full disk never
// leaves a torn or empty file behind: the bytes reach the disk before the rename, and the target keeps its
// permissions where the system has them. A target that exists and is not a regular file is refused and
// never opened. A symbolic link is written through: the temporary is made beside the file the link leads to
// and replaces that file, so the link stays a link and its target gets the bytes (where the system lets
// the program see links; on Windows the link itself is replaced).
//
// A temporary is named "<target name>.korvane-<process id>-<6 characters>", so that one left by a writer
// that was killed can be told from every other file and removed by RemoveStaleTemporaries.
struct FileContents {
  std::filesystem::path path;
  std::string bytes;
};
// Stages every file beside its target (written and flushed), and only when all are staged renames each into
// place in the given order; when staging any of them fails, no target is touched and every temporary is
// removed. Files that already hold their bytes are skipped. A rename that fails after others succeeded
// leaves those in place (renames within a folder practically fail only when the folder is taken away).
Status ReplaceFiles(std::span<const FileContents> files);
// ReplaceFiles of one file.
Status WriteFileReplacing(const std::filesystem::path& path, std::string_view bytes);
// Replaces the file even when it already holds the bytes.
Status ReplaceFileContents(const std::filesystem::path& path, std::string_view bytes);

// Removes from folder (not from the folders in it) the temporaries of writers that no longer run; those of
// running writers and every other file stay. Nothing is reported: a temporary that cannot go is left.
void RemoveStaleTemporaries(const std::filesystem::path& folder);

// The system's side of the functions above, one file per platform (file_replace_linux.cpp,
// file_replace_windows.cpp), which also hold ReadRegularFile. What is refused, skipped or removed, and in
// what order, is decided once in file_io.cpp.
namespace file_system {

// What can be wrong with a file, in the same words on every platform.
enum class Problem { kFolder, kNotRegularFile, kMissing, kDiskFull, kSizeLimit };
// "<path> is a folder", "disk full while writing <file name>", ...; errorCode is the system's code, if any.
Status Refusal(Problem problem, const std::filesystem::path& path, int errorCode = 0);
// "<path> is larger than <maxBytes> bytes".
Status LargerThan(const std::filesystem::path& path, std::size_t maxBytes);

// "<target name>.korvane-<writer>-<unique>" beside target; unique is ASCII.
std::filesystem::path TemporaryName(const std::filesystem::path& target, unsigned long writer,
                                    std::string_view unique);

// A file written and flushed under a temporary name beside its target, not yet in its place.
struct StagedFile {
  std::filesystem::path target;
  std::filesystem::path temporary;
};
// Writes bytes to a new temporary beside target (a regular file or none, links already resolved), with
// target's permissions, and flushes it to the disk. On failure nothing is left behind.
Status Stage(const std::filesystem::path& target, std::string_view bytes, StagedFile& staged);
// Moves the temporary over the target in one step.
Status Commit(const StagedFile& staged);
// Removes the temporary.
void Discard(const StagedFile& staged);
// True only when the system says no process with this id runs.
bool ProcessHasEnded(unsigned long id);

}  // namespace file_system

}  // namespace korvane
