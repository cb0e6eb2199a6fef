#include "config/factory_profile.h"

#include <gtest/gtest.h>

#include "common/file_io.h"
#include "config/config_file.h"
#include "support/golden.h"
#include "support/test_folder.h"

namespace korvane {
namespace {

std::vector<Byte> Bytes(std::string_view text) { return {text.begin(), text.end()}; }

// The factory record is a file format as much as the profiles the user saves: config.bin and every new
// profile carry it after a first-run flag of 0; a profile the program wrote carries flag 1.
TEST(FactoryProfileTest, TheRecordAndItsFilesAreTheGoldenBytes) {
  const std::vector<Byte> record = testing::GoldenBytes("factory_record.hex");
  const MouseConfigImage image = FactoryConfig().ToBytes();
  EXPECT_TRUE(testing::SameBytes(record, image));
  ASSERT_EQ(record.size(), kMouseConfigSize);
  MouseConfigImage golden{};
  std::copy(record.begin(), record.end(), golden.begin());
  EXPECT_EQ(MouseConfig::FromBytes(golden), FactoryConfig());

  std::vector<Byte> factoryFile{0x00};
  factoryFile.insert(factoryFile.end(), record.begin(), record.end());
  const testing::FactoryFolder folder;
  for (const char* name : {"config.bin", "config0.bin", "config5.bin"}) {
    EXPECT_TRUE(testing::SameBytes(factoryFile, Bytes(ReadWholeFile(folder.File(name)).value_or("")))) << name;
  }
  std::vector<Byte> savedFile = factoryFile;
  savedFile[0] = 0x01;
  EXPECT_TRUE(testing::SameBytes(savedFile, Bytes(ConfigFileBytes(FactoryConfig()))));
}

}  // namespace
}  // namespace korvane
