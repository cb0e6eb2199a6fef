// korvanectl in this process, with paths that the local code page of Windows cannot hold: the arguments
// arrive as UTF-8 on every system, and every path the commands take and print must stay that text.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <sstream>

#include "cli/cli.h"
#include "common/path_text.h"
#include "config/config_file.h"
#include "config/factory_profile.h"
#include "support/test_folder.h"

namespace korvane {
namespace {

using ::testing::HasSubstr;

class CliPathsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(std::filesystem::create_directory(home));
    ASSERT_TRUE(WriteFactoryFiles(ProgramFolder(home)));
    ASSERT_TRUE(std::filesystem::create_directory(elsewhere));
  }

  int Run(std::vector<std::string> words) {
    words.insert(words.begin(), {"--home", PathToUtf8(home)});
    out.str({});
    err.str({});
    return cli::Run(words, out, err);
  }

  Byte AngleSnap(const std::filesystem::path& file) const {
    ConfigFileContent content;
    EXPECT_TRUE(ReadConfigFile(file, content)) << PathToUtf8(file);
    return content.config.angleSnap;
  }

  testing::TempFolder temp;
  const std::filesystem::path home = temp.File("hömé Ωμέγα");
  const std::filesystem::path elsewhere = temp.File("ördner €𝄞");
  std::ostringstream out, err;
};

TEST_F(CliPathsTest, HomeExportImportAndFileTakeNonAsciiPaths) {
  ASSERT_EQ(Run({"set", "angle-snap", "5"}), 0) << err.str();
  EXPECT_EQ(AngleSnap(home / "config0.bin"), 5);

  const std::string exported = PathToUtf8(elsewhere) + "/prófíl";
  ASSERT_EQ(Run({"export", exported}), 0) << err.str();
  EXPECT_TRUE(std::filesystem::exists(elsewhere / PathFromUtf8("prófíl.bin")));
  EXPECT_TRUE(std::filesystem::exists(elsewhere / PathFromUtf8("prófíl.ini")));
  EXPECT_TRUE(std::filesystem::exists(home / PathFromUtf8("prófíl.bin")));  // the copy beside the program

  ASSERT_EQ(Run({"set", "angle-snap", "2"}), 0) << err.str();
  ASSERT_EQ(Run({"import", exported + ".bin"}), 0) << err.str();
  EXPECT_EQ(AngleSnap(home / "config0.bin"), 5);

  // Printed paths are the UTF-8 text they were given as.
  ASSERT_EQ(Run({"set", "--file", exported + ".bin", "angle-snap", "3"}), 0) << err.str();
  EXPECT_EQ(AngleSnap(elsewhere / PathFromUtf8("prófíl.bin")), 3);
  ASSERT_EQ(Run({"show", "--file", exported + ".bin", "--json"}), 0) << err.str();
  EXPECT_THAT(out.str(), HasSubstr("ördner €𝄞/prófíl.bin\""));
}

}  // namespace
}  // namespace korvane
