#include "common/file_io.h"

#include <fcntl.h>
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <functional>
#include <future>
#include <set>

#include "support/test_folder.h"

namespace korvane {
namespace {

namespace fs = std::filesystem;
using testing::FileSizeLimit;
using testing::TempFolder;
using ::testing::ElementsAre;
using ::testing::HasSubstr;

ino_t Inode(const fs::path& path) {
  struct stat info {};
  EXPECT_EQ(::stat(path.c_str(), &info), 0) << path;
  return info.st_ino;
}

std::set<std::string> Names(const fs::path& folder) {
  std::set<std::string> names;
  for (const auto& entry : fs::directory_iterator(folder)) names.insert(entry.path().filename().string());
  return names;
}

// Runs use, which must not wait on the FIFO. If it does, the test fails and the FIFO is opened from here
// (both ends, which never waits), so that use returns instead of hanging the tests.
Status WithoutWaitingOn(const fs::path& fifo, const std::function<Status()>& use) {
  auto done = std::async(std::launch::async, use);
  if (done.wait_for(std::chrono::seconds(5)) != std::future_status::ready) {
    ADD_FAILURE() << "waited on the FIFO " << fifo;
    ::close(::open(fifo.c_str(), O_RDWR | O_NONBLOCK));
  }
  return done.get();
}

TEST(FileIoTest, AFileThatAlreadyHoldsTheBytesIsNotWrittenAgain) {
  TempFolder folder;
  const auto path = folder.File("str0.ini");
  ASSERT_TRUE(WriteFileReplacing(path, "[Skins]\nLan=ENG\n"));
  const ino_t first = Inode(path);
  ASSERT_TRUE(WriteFileReplacing(path, "[Skins]\nLan=ENG\n"));
  EXPECT_EQ(Inode(path), first);  // every real write renames a new file into place

  ASSERT_TRUE(WriteFileReplacing(path, "[Skins]\nLan=ENG\n\n"));
  EXPECT_NE(Inode(path), first);
  EXPECT_EQ(ReadWholeFile(path), "[Skins]\nLan=ENG\n\n");
  ASSERT_TRUE(ReplaceFileContents(path, "[Skins]\nLan=ENG\n\n"));  // written whatever the file holds
  EXPECT_THAT(Names(folder.path()), ElementsAre("str0.ini"));
}

TEST(FileIoTest, ReadingRefusesAtOnceWhatIsNotARegularFileAndSaysWhy) {
  TempFolder folder;
  const fs::path fifo = folder.File("str0.ini");
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
  std::string bytes = "stale";
  const Status fromFifo = WithoutWaitingOn(fifo, [&] { return ReadRegularFile(fifo, bytes); });
  EXPECT_EQ(fromFifo.message(), fifo.string() + " is not a regular file");
  EXPECT_EQ(bytes, "");
  EXPECT_EQ(ReadWholeFile(fifo), std::nullopt);

  const fs::path record = folder.File("record.ini");
  fs::create_directory(record);
  EXPECT_EQ(ReadRegularFile(record, bytes).message(), record.string() + " is a folder");
  EXPECT_EQ(ReadRegularFile("/dev/null", bytes).message(), "/dev/null is not a regular file");
  const fs::path list = folder.File("str.ini");
  EXPECT_EQ(ReadRegularFile(list, bytes).message(), list.string() + " does not exist");

  // Size: up to the limit, and not a byte more.
  folder.WriteText("emulated-mouse.bin", "0123456789");
  ASSERT_TRUE(ReadRegularFile(folder.File("emulated-mouse.bin"), bytes, 10));
  EXPECT_EQ(bytes, "0123456789");
  EXPECT_EQ(ReadRegularFile(folder.File("emulated-mouse.bin"), bytes, 9).message(),
            folder.File("emulated-mouse.bin").string() + " is larger than 9 bytes");

  // Links are followed.
  fs::create_symlink("emulated-mouse.bin", folder.File("link.bin"));
  EXPECT_EQ(ReadWholeFile(folder.File("link.bin")), "0123456789");
}

TEST(FileIoTest, WritingRefusesWhatIsNotARegularFileAndNeverOpensIt) {
  TempFolder folder;
  const fs::path fifo = folder.File("str0.ini");
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
  for (const auto& write : {WriteFileReplacing, ReplaceFileContents}) {
    const Status status = WithoutWaitingOn(fifo, [&] { return write(fifo, "[Setting-EN]\n"); });
    EXPECT_EQ(status.message(), "cannot replace " + fifo.string() + ": " + fifo.string() + " is not a regular file");
  }
  EXPECT_TRUE(fs::is_fifo(fifo));

  const fs::path inFolder = folder.File("config0.bin");
  fs::create_directory(inFolder);
  EXPECT_THAT(WriteFileReplacing(inFolder, "bytes").message(), HasSubstr(inFolder.string() + " is a folder"));
  // Through a link, the message names where the link leads.
  fs::create_symlink("config0.bin", folder.File("config1.bin"));
  EXPECT_EQ(WriteFileReplacing(folder.File("config1.bin"), "bytes").message(),
            "cannot replace " + folder.File("config1.bin").string() + ": " + inFolder.string() + " is a folder");
  EXPECT_THAT(Names(folder.path()), ElementsAre("config0.bin", "config1.bin", "str0.ini"));
  EXPECT_TRUE(fs::is_empty(inFolder));
}

TEST(FileIoTest, ALinkIsWrittenThroughAndStaysALink) {
  TempFolder folder;
  fs::create_directory(folder.File("profiles"));
  folder.WriteText("profiles/str0.ini", "old");
  ::chmod(folder.File("profiles/str0.ini").c_str(), 0640);
  fs::create_symlink("profiles/str0.ini", folder.File("str0.ini"));

  ASSERT_TRUE(WriteFileReplacing(folder.File("str0.ini"), "new"));
  EXPECT_TRUE(fs::is_symlink(folder.File("str0.ini")));
  EXPECT_EQ(folder.ReadText("profiles/str0.ini"), "new");
  EXPECT_EQ(fs::status(folder.File("profiles/str0.ini")).permissions() & fs::perms::all,
            fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
  EXPECT_THAT(Names(folder.path()), ElementsAre("profiles", "str0.ini"));
  EXPECT_THAT(Names(folder.File("profiles")), ElementsAre("str0.ini"));
}

TEST(FileIoTest, FilesReplacedTogetherChangeOnlyWhenAllCanBeStaged) {
  TempFolder folder;
  const fs::path config = folder.File("config0.bin");
  const fs::path labels = folder.File("str0.ini");
  ASSERT_TRUE(WriteFileReplacing(config, "old config"));
  ASSERT_TRUE(WriteFileReplacing(labels, "old labels"));

  const auto replaceWith = [&](const fs::path& second, std::string secondBytes) {
    const FileContents files[] = {{config, "new config"}, {second, std::move(secondBytes)}};
    return ReplaceFiles(files);
  };
  {
    SCOPED_TRACE("the second target is a folder");
    fs::create_directory(folder.File("str1.ini"));
    EXPECT_THAT(replaceWith(folder.File("str1.ini"), "labels").message(), HasSubstr("is a folder"));
    fs::remove(folder.File("str1.ini"));
  }
  {
    SCOPED_TRACE("the second target's folder is missing");
    const Status status = replaceWith(folder.File("gone") / "str0.ini", "labels");
    EXPECT_THAT(status.message(), HasSubstr("cannot create a file beside"));
    EXPECT_EQ(status.errorCode(), ENOENT);
  }
  {
    SCOPED_TRACE("the second file does not fit");
    Status status;
    {
      FileSizeLimit limit(16);
      status = replaceWith(labels, std::string(64, 'x'));
    }
    EXPECT_EQ(status.message(), "str0.ini would exceed the file size limit");
    EXPECT_EQ(status.errorCode(), EFBIG);
  }
  EXPECT_EQ(ReadWholeFile(config), "old config");
  EXPECT_EQ(ReadWholeFile(labels), "old labels");
  EXPECT_THAT(Names(folder.path()), ElementsAre("config0.bin", "str0.ini"));

  // Both in place; a file that holds its bytes already is not written.
  const ino_t labelsInode = Inode(labels);
  ASSERT_TRUE(replaceWith(labels, "old labels"));
  EXPECT_EQ(ReadWholeFile(config), "new config");
  EXPECT_EQ(Inode(labels), labelsInode);
  EXPECT_THAT(Names(folder.path()), ElementsAre("config0.bin", "str0.ini"));
}

TEST(FileIoTest, StaleTemporariesAreTheOnlyFilesRemoved) {
  TempFolder folder;
  const fs::path config = folder.File("config0.bin");
  ASSERT_TRUE(WriteFileReplacing(config, "saved"));
  // A writer killed between staging and committing.
  const pid_t writer = ::fork();
  ASSERT_GE(writer, 0);
  if (writer == 0) {
    file_system::StagedFile staged;
    ::_exit(file_system::Stage(config, "unsaved", staged) ? 0 : 1);
  }
  int exitStatus = 0;
  ASSERT_EQ(::waitpid(writer, &exitStatus, 0), writer);
  ASSERT_EQ(exitStatus, 0);
  const std::string dead = "config0.bin.korvane-" + std::to_string(writer) + "-";
  // A writer that runs: this process.
  file_system::StagedFile running;
  ASSERT_TRUE(file_system::Stage(config, "being saved", running));

  // Files that look somewhat like temporaries but are not.
  for (const std::string& name : {std::string("config0.bin.bak"), dead + "abcdef.bak", dead + "ab-def"}) {
    folder.WriteText(name, "keep");
  }
  fs::create_directory(folder.File(dead + "folder"));
  fs::create_directory(folder.File("sub"));
  folder.WriteText("sub/" + dead + "abcdef", "not this folder");

  const std::set<std::string> before = Names(folder.path());
  ASSERT_EQ(before.size(), 8u);
  RemoveStaleTemporaries(folder.path());
  std::set<std::string> removed;
  for (const std::string& name : before) {
    if (!fs::exists(folder.File(name))) removed.insert(name);
  }
  ASSERT_EQ(removed.size(), 1u);
  EXPECT_THAT(*removed.begin(), ::testing::StartsWith(dead));
  EXPECT_TRUE(fs::exists(folder.File("sub/" + dead + "abcdef")));
  EXPECT_TRUE(fs::exists(running.temporary));
  file_system::Discard(running);
  EXPECT_EQ(ReadWholeFile(config), "saved");
}

}  // namespace
}  // namespace korvane
