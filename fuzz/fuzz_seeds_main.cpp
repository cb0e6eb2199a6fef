// fuzz_seeds OUTDIR: writes a seed corpus per fuzz target into OUTDIR/<target>/ from what the
// program itself generates: the factory profile files, a macro file written by the macro store's
// writer, the emulated mouse's report descriptors, and the traffic of an upload and a settings read
// with the emulated mouse, and a profile as korvanectl export --json writes it.
#include <cstdio>
#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

#include "cli/profile_json.h"
#include "common/file_io.h"
#include "config/factory_profile.h"
#include "config/label_file.h"
#include "config/value_rules.h"
#include "device/device_link.h"
#include "device/emulated_mouse.h"
#include "device/upload.h"
#include "fuzz_input.h"
#include "macro/macro_encoding.h"
#include "macro/macro_section.h"
#include "profile/config_files.h"
#include "support/test_folder.h"

using namespace korvane;
namespace fs = std::filesystem;

namespace {

using Bytes = std::string;

class Corpus {
 public:
  Corpus(fs::path dir, const char* target) : dir_(std::move(dir) / target) { fs::create_directories(dir_); }
  void Add(const std::string& name, const Bytes& bytes) {
    if (!WriteFileReplacing(dir_ / name, bytes)) {
      std::fprintf(stderr, "cannot write %s\n", (dir_ / name).c_str());
      std::exit(1);
    }
  }

 private:
  fs::path dir_;
};

Bytes Read(const fs::path& path) { return ReadWholeFile(path).value_or(Bytes()); }

Bytes AsBytes(std::span<const Byte> bytes) { return Bytes(bytes.begin(), bytes.end()); }

// str.ini as the Windows program wrote it: UTF-16LE with a byte-order mark.
Bytes Utf16Le(const Bytes& ascii) {
  Bytes out = "\xFF\xFE";
  for (char c : ascii) {
    out += c;
    out += '\0';
  }
  return out;
}

// A string as FuzzedDataProvider::ConsumeRandomLengthString reads it back: backslashes doubled, then a
// backslash and another character end it.
Bytes Escaped(const Bytes& text) {
  Bytes out;
  for (char c : text) {
    out += c;
    if (c == '\\') out += '\\';
  }
  return out + "\\n";
}

Bytes RecordIni() {
  IniDocument record;
  WriteMacroSection(record, "Macro_1", {"1", "1", "3", {"A   Dn", "120 ms", "A   Up", "30 ms"}});
  WriteMacroSection(record, "Macro_2", {"0", "0", "1", {"L-Button   Dn", "M-Button   Up", "Ctrl   Dn"}});
  WriteMacroSection(record, "Long delays", {"1", "0", "1", {"B   Dn", "1550 ms", "B   Up", "6553500 ms"}});
  return record.Serialize();
}

// Steps of the emulated-mouse target that replay one traced operation.
Bytes MouseSteps(const TransportOp& op) {
  using fuzz::MouseStep;
  const auto step = [](MouseStep kind, std::size_t length) {
    return Bytes{static_cast<char>(kind), static_cast<char>(length)};
  };
  switch (op.kind) {
    case TransportOp::Kind::SetFeature: return step(MouseStep::SetFeature, op.bytes.size()) + AsBytes(op.bytes);
    case TransportOp::Kind::Write: return step(MouseStep::Write, op.bytes.size()) + AsBytes(op.bytes);
    case TransportOp::Kind::GetFeature: return step(MouseStep::GetFeature, op.bytes.size());
    case TransportOp::Kind::Read: return step(MouseStep::ReadCommands, op.bytes.size());
    case TransportOp::Kind::Sleep: return {};
  }
  return {};
}

// What the transport target reads for one traced operation: the outcome, then an answer's bytes.
Bytes TransportAnswer(const TransportOp& op) {
  Bytes out(1, static_cast<char>(op.status.ok() ? fuzz::kOutcomeOk : fuzz::kOutcomeTimedOut));
  const bool answer = op.kind == TransportOp::Kind::GetFeature || op.kind == TransportOp::Kind::Read;
  if (op.kind == TransportOp::Kind::Sleep) return {};
  if (answer && op.status.ok()) out += AsBytes(op.bytes);
  return out;
}

struct Traffic {
  Bytes mouseSteps;
  Bytes transportAnswers;
};

// Connects to the emulated mouse, then runs `then`, tracing every operation.
template <typename Then>
Traffic Trace(Then then) {
  EmulatedMouse mouse;
  mouse.SetActiveProfile(2);
  DeviceLink link(mouse.backend(), [](std::chrono::milliseconds) {});
  Traffic traffic;
  link.SetTrace([&](const TransportOp& op) {
    traffic.mouseSteps += MouseSteps(op);
    traffic.transportAnswers += TransportAnswer(op);
  });
  MouseConfig config = FactoryConfig();
  if (!link.Connect(config)) std::exit(1);
  then(link, config);
  return traffic;
}

Bytes LittleEndian16(std::size_t value) { return Bytes{static_cast<char>(value & 0xFF), static_cast<char>(value >> 8)}; }

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: fuzz_seeds OUTDIR\n");
    return 2;
  }
  const fs::path out = argv[1];
  testing::FactoryFolder factory;
  const Bytes list = Read(factory.File(kProfileListName));
  const Bytes labels = Read(factory.File(ProfileLabelName(0)));
  const Bytes factoryConfig = Read(factory.File(kFactoryConfigName));
  const Bytes record = RecordIni();

  // A profile the program has written: flag 1.
  if (!WriteConfigFile(factory.File("saved.bin"), FactoryConfig())) return 1;
  const Bytes savedConfig = Read(factory.File("saved.bin"));

  Corpus ini(out, "ini_fuzz");
  ini.Add("str.ini", list);
  ini.Add("str0.ini", labels);
  ini.Add("record.ini", record);
  ini.Add("str-utf16.ini", Utf16Le(list));

  Corpus appProfiles(out, "app_profiles_fuzz");
  appProfiles.Add("rules", "; by hand\r\n[Default]\r\nProfile=Desktop\r\n[Applications]\r\nsteam_app_1234=Racing\r\n"
                           "Steam_App_1234=Shooter\r\nbad]id=Work\r\n");
  appProfiles.Add("rules-utf16", Utf16Le("[Applications]\r\nfirefox=Web\r\n"));

  Corpus profile(out, "profile_fuzz");
  profile.Add("factory", Escaped(list) + Escaped(labels) + factoryConfig);
  profile.Add("saved", Escaped(list) + Escaped(labels) + savedConfig);
  profile.Add("short", Escaped(list) + Escaped(labels) + savedConfig.substr(0, 1756));

  Corpus macros(out, "macro_pages_fuzz");
  macros.Add("record.ini", record);

  Corpus descriptors(out, "hid_descriptor_fuzz");
  const Bytes pointer = AsBytes(EmulatedMouse::PointerDescriptor());
  const Bytes events = AsBytes(EmulatedMouse::EventDescriptor());
  const Bytes commands = AsBytes(EmulatedMouse::CommandDescriptor());
  descriptors.Add("pointer", pointer);
  descriptors.Add("events", events);
  descriptors.Add("commands", commands);
  descriptors.Add("vendor-node", events + commands);  // one hidraw node, two collections
  descriptors.Add("uevent", "DRIVER=hid-generic\nHID_ID=0003:000004D9:0000A0F4\nHID_NAME=mouse\n");

  const Traffic upload = Trace([&](DeviceLink& link, MouseConfig& config) {
    const ConfigFiles files(ProgramFolder(factory.path()));
    UploadConfiguration(link.protocol(), config, files, files.ProfileFiles(0), "", DefaultLabels(""));
  });
  const Traffic settings = Trace([](DeviceLink& link, MouseConfig&) { link.ReadStageSettings(); });

  Corpus mouse(out, "emulated_mouse_fuzz");
  mouse.Add("upload", upload.mouseSteps);
  mouse.Add("settings-read", settings.mouseSteps);

  Corpus transport(out, "transport_fuzz");
  const Bytes readBack{char(CMD_READ_SETTINGS), 0, 0};
  transport.Add("settings-read", LittleEndian16(kOutputReportSize) + settings.transportAnswers + readBack);
  transport.Add("short-reports", LittleEndian16(9) + settings.transportAnswers + readBack);

  Corpus json(out, "profile_json_fuzz");
  std::ostringstream factoryJson;
  cli::WriteProfileJson(factoryJson, FactoryConfig(), DefaultLabels(""));
  json.Add("factory.json", factoryJson.str());
  MouseConfig withMacro = FactoryConfig();
  withMacro.macroData[0] = EncodeMacroPages(IniDocument::Parse(record)).pages[0];
  std::ostringstream macroJson;
  cli::WriteProfileJson(macroJson, withMacro, DefaultLabels("CHS"));
  json.Add("macro.json", macroJson.str());
  return 0;
}
