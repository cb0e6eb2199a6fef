#include "config/program_folder.h"

#include <gtest/gtest.h>

#include "common/file_io.h"
#include "support/test_folder.h"

namespace korvane {
namespace {

namespace fs = std::filesystem;

// A prefix as the installation lays it out: bin/ and the data folder with the factory files where the
// build puts it from bin/ (share/korvane from `cmake --install`, the installer's data\ on Windows).
struct InstalledPrefix {
  testing::FactoryFolder factory;  // its files are copied into the data folder
  testing::TempFolder prefix;
  testing::TempFolder home;
  fs::path data = (prefix.File("bin") / KORVANE_DATA_FROM_BIN).lexically_normal();

  InstalledPrefix() {
    fs::create_directories(prefix.File("bin"));
    fs::create_directories(data.parent_path());
    fs::copy(factory.path(), data, fs::copy_options::recursive);
  }
  ProgramFolder Folder() const { return ProgramFolder::ForExecutableIn(prefix.File("bin"), home.File(".config")); }
};

TEST(ProgramFolderTest, FactoryFilesBesideTheExecutableMakeAPortableFolder) {
  InstalledPrefix installed;
  // Even inside an install prefix: files beside the executable win.
  fs::copy(installed.data / "config.bin", installed.prefix.File("bin/config.bin"));
  const ProgramFolder portable = installed.Folder();
  EXPECT_EQ(portable.kind(), ProgramFolder::Kind::kPortable);
  EXPECT_EQ(portable.dir(), installed.prefix.File("bin"));
  EXPECT_EQ(portable.dataDir(), portable.dir());

  testing::TempFolder nothing;
  const ProgramFolder bare = ProgramFolder::ForExecutableIn(nothing.path(), installed.home.path());
  EXPECT_EQ(bare.kind(), ProgramFolder::Kind::kPortable);
  EXPECT_EQ(bare.dir(), nothing.path());
}

TEST(ProgramFolderTest, AnInstalledProgramIsSeededOnceAndNeverOverwrites) {
  InstalledPrefix installed;
  const ProgramFolder folder = installed.Folder();
  ASSERT_EQ(folder.kind(), ProgramFolder::Kind::kInstalled);
  EXPECT_EQ(folder.dir(), installed.home.File(".config/korvane"));
  EXPECT_EQ(folder.dataDir(), installed.data);
  EXPECT_EQ(folder.DataFile("Skins"), installed.data / "Skins");

  ASSERT_TRUE(folder.Seed());  // creates .config and .config/korvane
  for (const char* name : {"config.bin", "str.ini", "config0.bin", "str0.ini", "config5.bin", "str5.ini"}) {
    EXPECT_EQ(ReadWholeFile(folder.File(name)),
              ReadWholeFile(folder.DataFile(name)))
        << name;
  }
  // The user's edits survive the next start; a file the user removed comes back as shipped.
  const fs::path edited = folder.File("str0.ini");
  installed.home.WriteText(".config/korvane/str0.ini", "[Profile]\nItem0=Mine\n");
  fs::remove(folder.File("config3.bin"));
  ASSERT_TRUE(folder.Seed());
  EXPECT_EQ(ReadWholeFile(edited).value_or(""), "[Profile]\nItem0=Mine\n");
  EXPECT_TRUE(fs::is_regular_file(folder.File("config3.bin")));
  EXPECT_NE(folder.Describe().find(folder.dir().string()), std::string::npos);
  EXPECT_NE(folder.Describe().find(folder.dataDir().string()), std::string::npos);
}

TEST(ProgramFolderTest, SeedingSaysWhyItCannot) {
  InstalledPrefix installed;
  const ProgramFolder homeless = ProgramFolder::ForExecutableIn(installed.prefix.File("bin"), {});
  ASSERT_EQ(homeless.kind(), ProgramFolder::Kind::kInstalled);
  const Status status = homeless.Seed();
  EXPECT_FALSE(status);
  EXPECT_NE(status.message().find("--home"), std::string::npos) << status.message();

  // A file where the user folder should be.
  installed.home.WriteText(".config", "");
  EXPECT_FALSE(installed.Folder().Seed());
  // A named folder is used as it is, and nothing is copied into it.
  testing::TempFolder named;
  EXPECT_TRUE(ProgramFolder(named.path()).Seed());
  EXPECT_TRUE(fs::is_empty(named.path()));
}

}  // namespace
}  // namespace korvane
