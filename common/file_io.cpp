#include "common/file_io.h"

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

Status WriteFileReplacing(const std::filesystem::path& path, std::string_view bytes) {
  // A file that already holds the bytes is left alone: nothing to lose, and a read-only folder whose
  // files are current needs no write.
  if (const auto current = ReadWholeFile(path, bytes.size()); current && *current == bytes) return Status::Ok();
  return ReplaceFileContents(path, bytes);
}

}  // namespace korvane
