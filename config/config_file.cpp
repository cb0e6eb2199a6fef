#include "config/config_file.h"

#include <algorithm>

#include "common/file_io.h"
#include "common/path_text.h"

namespace korvane {

Status ReadConfigFile(const std::filesystem::path& path, ConfigFileContent& content) {
  std::string bytes;
  if (Status read = ReadRegularFile(path, bytes, kConfigFileSize); !read) {
    // Too large to be a profile file says more than the size limit of the read.
    std::error_code error;
    if (!std::filesystem::is_regular_file(path, error) || std::filesystem::file_size(path, error) == kConfigFileSize) {
      return read;
    }
  }
  if (bytes.size() != kConfigFileSize) {
    return Status::Failure(PathToUtf8(path) + " is not a profile file (it must be exactly 1757 bytes)");
  }
  MouseConfigImage image;
  std::copy(bytes.begin() + 1, bytes.end(), image.begin());
  content.firstRunFlag = static_cast<Byte>(bytes[0]);
  content.config = MouseConfig::FromBytes(image);
  return Status::Ok();
}

std::string ConfigFileBytes(const MouseConfig& config, Byte firstRunFlag) {
  const MouseConfigImage image = config.ToBytes();
  // Sized once and filled in place: appending the image to a one-byte string makes GCC 12 warn
  // (-Warray-bounds, -Wrestrict) about its own inlined string code.
  std::string bytes(kConfigFileSize, '\0');
  bytes[0] = static_cast<char>(firstRunFlag);
  std::copy(image.begin(), image.end(), bytes.begin() + 1);
  return bytes;
}

Status WriteConfigFile(const std::filesystem::path& path, const MouseConfig& config, Byte firstRunFlag) {
  return WriteFileReplacing(path, ConfigFileBytes(config, firstRunFlag));
}

}  // namespace korvane
