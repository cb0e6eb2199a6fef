// A program folder whose profile list (str.ini), profile file (configN.bin) and label file (strN.ini)
// hold any bytes of any size. Loading never crashes; a profile file is taken only when it is exactly
// 1757 bytes and then byte for byte; whatever loads saves and loads back unchanged.
#include <fuzzer/FuzzedDataProvider.h>
#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>

#include "common/file_io.h"
#include "config/label_file.h"
#include "config/value_rules.h"
#include "fuzz_input.h"
#include "profile/config_files.h"
#include "support/test_folder.h"

using namespace korvane;
using fuzz::Require;

namespace {

// Every profile index names the same two files, so one write per input serves whichever profile the
// list selects.
struct Folder {
  testing::TempFolder temp;
  std::filesystem::path config = temp.File("profile.bin");
  std::filesystem::path labels = temp.File("labels.ini");
  std::filesystem::path list = temp.File(kProfileListName);
  std::filesystem::path copy = temp.File("copy.bin");

  Folder() {
    for (int i = 0; i < kMaxProfiles; ++i) {
      std::filesystem::create_symlink(config, temp.File(ProfileConfigName(i)));
      std::filesystem::create_symlink(labels, temp.File(ProfileLabelName(i)));
    }
  }
};

Folder& TheFolder() {
  static Folder* folder = new Folder();  // kept until exit: libFuzzer leaves through exit()
  return *folder;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzedDataProvider input(data, size);
  const std::string listText = input.ConsumeRandomLengthString(512);
  const std::string labelText = input.ConsumeRandomLengthString(1024);
  const std::string configBytes = input.ConsumeRemainingBytesAsString();

  Folder& folder = TheFolder();
  Require(WriteFileReplacing(folder.list, listText).ok());
  Require(WriteFileReplacing(folder.labels, labelText).ok());
  Require(WriteFileReplacing(folder.config, configBytes).ok());

  ConfigFileContent content;
  const bool readable = ReadConfigFile(folder.config, content).ok();
  Require(readable == (configBytes.size() == kConfigFileSize));
  if (readable) {
    const MouseConfigImage image = content.config.ToBytes();
    Require(content.firstRunFlag == static_cast<Byte>(configBytes[0]));
    Require(std::equal(image.begin(), image.end(), configBytes.begin() + 1,
                       [](Byte stored, char read) { return stored == static_cast<Byte>(read); }));
    Require(WriteConfigFile(folder.copy, content.config).ok());
    ConfigFileContent again;
    Require(ReadConfigFile(folder.copy, again).ok());
    Require(again.firstRunFlag == 1 && again.config == content.config);
  }

  const ConfigFiles files(ProgramFolder(folder.temp.path()));
  int index = 0;
  const bool listed = files.CurrentProfileIndex(index).ok();
  Require(index >= 0 && index < kMaxProfiles);
  StoredProfile profile;
  const bool loaded = listed && files.Load(files.ProfileFiles(index), "", profile).ok();
  Require(!loaded || (readable && profile.config == content.config));

  const ProfileList list = ReadProfileList(folder.list);
  Require(list.names.size() <= static_cast<std::size_t>(kMaxProfiles));
  Require(list.selected < static_cast<int>(list.names.size()));
  return 0;
}
