#include "common/path_text.h"

#include <gtest/gtest.h>

#include "common/file_io.h"
#include "support/test_folder.h"

namespace korvane {
namespace {

// Names the local code page of Windows cannot hold, and one outside the BMP (two UTF-16 units there).
constexpr std::string_view kFolderName = "hömé Ωμέγα";
constexpr std::string_view kFileName = "prófíl €𝄞.bin";

TEST(PathTextTest, NonAsciiFolderAndFileNamesRoundTripThroughTheSystem) {
  testing::TempFolder temp;
  const std::filesystem::path folder = temp.path() / PathFromUtf8(kFolderName);
  ASSERT_TRUE(std::filesystem::create_directory(folder));
  const std::filesystem::path file = folder / PathFromUtf8(kFileName);
  ASSERT_TRUE(WriteFileReplacing(file, "bytes"));

  // The system lists the names that were given, and the text of the path is the text it was made from.
  std::vector<std::string> listed;
  for (const auto& entry : std::filesystem::directory_iterator(temp.path())) {
    listed.push_back(PathToUtf8(entry.path().filename()));
  }
  EXPECT_EQ(listed, std::vector<std::string>{std::string(kFolderName)});
  listed.clear();
  for (const auto& entry : std::filesystem::directory_iterator(folder)) {
    listed.push_back(PathToUtf8(entry.path().filename()));
    EXPECT_EQ(ReadWholeFile(entry.path()), "bytes");
  }
  EXPECT_EQ(listed, std::vector<std::string>{std::string(kFileName)});
  const std::string text = PathToUtf8(temp.path()) + "/" + std::string(kFolderName) + "/" + std::string(kFileName);
  EXPECT_EQ(PathFromUtf8(text), file);
  EXPECT_EQ(PathToUtf8(file.filename()), kFileName);
}

TEST(PathTextTest, TextThatIsNotUtf8NeverThrows) {
  const std::string_view latin1 = "caf\xE9.bin";
  const std::filesystem::path path = PathFromUtf8(latin1);
  if constexpr (sizeof(std::filesystem::path::value_type) == 1) {
    // A Linux name is bytes: a folder named in another encoding stays reachable.
    EXPECT_EQ(PathToUtf8(path), latin1);
  } else {
    EXPECT_EQ(PathToUtf8(path), "caf\xEF\xBF\xBD.bin");
  }
}

}  // namespace
}  // namespace korvane
