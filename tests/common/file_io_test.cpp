#include "common/file_io.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include "support/test_folder.h"

namespace korvane {
namespace {

ino_t Inode(const std::filesystem::path& path) {
  struct stat info {};
  EXPECT_EQ(::stat(path.c_str(), &info), 0) << path;
  return info.st_ino;
}

TEST(FileIoTest, AFileThatAlreadyHoldsTheBytesIsNotWrittenAgain) {
  testing::TempFolder folder;
  const auto path = folder.File("str0.ini");
  ASSERT_TRUE(WriteFileReplacing(path, "[Skins]\nLan=ENG\n"));
  const ino_t first = Inode(path);
  ASSERT_TRUE(WriteFileReplacing(path, "[Skins]\nLan=ENG\n"));
  EXPECT_EQ(Inode(path), first);  // every real write renames a new file into place

  ASSERT_TRUE(WriteFileReplacing(path, "[Skins]\nLan=ENG\n\n"));
  EXPECT_NE(Inode(path), first);
  EXPECT_EQ(ReadWholeFile(path), "[Skins]\nLan=ENG\n\n");
}

}  // namespace
}  // namespace korvane
