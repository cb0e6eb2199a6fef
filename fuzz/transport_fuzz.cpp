// The device link reading answers it cannot trust: a command interface whose report lengths, feature
// answers and input reports are any bytes, and whose calls fail at random. The read-back commands and
// the settings read (with any length byte) may fill only what the answer announces: the settings page
// is never overrun, and no other page of the mirror changes.
#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <vector>

#include "device/device_link.h"
#include "fuzz_input.h"

using namespace korvane;

namespace {

using fuzz::Require;

// Every answer comes from the fuzzer's bytes; what was handed out is kept to check the mirror against.
class FuzzDevice : public HidDevice {
 public:
  explicit FuzzDevice(fuzz::ByteStream& input) : input_(input) {}

  Status SetFeature(std::span<const Byte>) override { return Outcome(); }
  Status GetFeature(std::span<Byte> report) override {
    Status status = Outcome();
    if (status.ok()) Fill(report);
    lastAnswer.assign(report.begin(), report.end());
    return status;
  }
  Status Write(std::span<const Byte>) override { return Outcome(); }
  ReadResult Read(std::span<Byte> report, std::optional<std::chrono::milliseconds>) override {
    ReadResult result;
    result.status = Outcome();
    if (result.status.ok()) result.length = Fill(report);
    reads.push_back({result.status.ok(), std::vector<Byte>(report.begin(), report.end())});
    return result;
  }
  void Interrupt() override {}

  struct Served {
    bool ok;
    std::vector<Byte> bytes;
  };
  std::vector<Served> reads;
  std::vector<Byte> lastAnswer;

 private:
  Status Outcome() {
    switch (input_.Next()) {
      case fuzz::kOutcomeGone: return Status::Failure("gone", ENODEV);
      case fuzz::kOutcomeTimedOut: return Status::Failure("late", kReadTimedOut);
      default: return Status::Ok();
    }
  }
  std::size_t Fill(std::span<Byte> report) {
    const std::vector<Byte> bytes = input_.Take(report.size());
    std::copy(bytes.begin(), bytes.end(), report.begin());
    return bytes.size();
  }

  fuzz::ByteStream& input_;
};

// One command interface with the lengths the fuzzer declares.
class FuzzBackend : public HidBackend {
 public:
  FuzzBackend(fuzz::ByteStream& input, HidCaps caps) : device(std::make_shared<FuzzDevice>(input)), caps_(caps) {}

  Status Enumerate(std::vector<HidInterface>& interfaces) override {
    HidInterface commands;
    commands.path = "fuzz/commands";
    commands.attributes = HidAttributes{MOUSE_VENDOR_ID, MOUSE_PRODUCT_ID};
    commands.caps = caps_;
    interfaces = {commands};
    return Status::Ok();
  }
  Status Open(const HidInterface&, OpenMode, std::shared_ptr<HidDevice>& opened) override {
    opened = device;
    return Status::Ok();
  }
  Status WatchDevices(NoticeCallback, std::unique_ptr<DeviceWatch>&) override { return Status::Ok(); }

  std::shared_ptr<FuzzDevice> device;

 private:
  HidCaps caps_;
};

// Bytes 1-64 of an input report as the protocol reads it: zeros past the report, all zeros after a
// failed read.
std::vector<Byte> ChunkOf(const FuzzDevice::Served& read) {
  std::vector<Byte> chunk(kChunkSize, 0);
  if (!read.ok) return chunk;
  for (std::size_t i = 0; i < kChunkSize && i + 1 < read.bytes.size(); ++i) chunk[i] = read.bytes[i + 1];
  return chunk;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  fuzz::ByteStream input(data, size);
  HidCaps caps;
  caps.usagePage = COMMAND_USAGE_PAGE;
  caps.usage = COMMAND_USAGE;
  caps.featureReportLength = kFeatureReportSize;
  // Two bytes, low first: any length a descriptor may declare.
  const Byte low = input.Next();
  caps.inputReportLength = static_cast<std::uint16_t>(low | input.Next() << 8);
  FuzzBackend backend(input, caps);
  DeviceLink link(backend, [](std::chrono::milliseconds) {});
  MouseConfig config;
  Require(link.Connect(config));
  Require(config.profileSlot == link.mirror().activeProfile);

  DeviceMirror& mirror = link.mirror();
  mirror.settingsPage.fill(0xA5);
  mirror.keyPage.fill(0x5A);
  for (DevicePage& page : mirror.macroPages) page.fill(0x3C);
  const DeviceMirror before = mirror;

  FuzzDevice& device = *backend.device;
  device.reads.clear();
  (void)link.ReadStageSettings();
  const std::size_t announced = std::min<std::size_t>(device.lastAnswer.size() > 3 ? device.lastAnswer[3] : 0, kPageSize);
  Require(device.reads.size() == (announced + kChunkSize - 1) / kChunkSize);
  DevicePage expected = before.settingsPage;
  for (std::size_t i = 0; i < announced; ++i) expected[i] = ChunkOf(device.reads[i / kChunkSize])[i % kChunkSize];
  Require(mirror.settingsPage == expected);
  Require(mirror.keyPage == before.keyPage && mirror.macroPages == before.macroPages);

  // Any read-back command into a page of exactly 128 bytes.
  const Byte code = input.Next() | READ_BACK_FLAG;
  const Byte param1 = input.Next();
  const Byte param2 = input.Next();
  Command command = MakeCommand(code, param1, param2);
  const auto page = std::make_unique<std::array<Byte, kPageSize>>();
  (void)link.protocol().TransferBlock(command, *page);
  return 0;
}
