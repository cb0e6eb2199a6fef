#include "device/protocol.h"

#include <algorithm>
#include <vector>

namespace korvane {
namespace {

void KeepFirstFailure(Status& first, Status next) {
  if (first.ok() && !next.ok()) first = std::move(next);
}

}  // namespace

Command MakeCommand(Byte code, Byte param1, Byte param2) { return Command{code, param1, param2}; }

Byte CommandChecksum(const Command& command) {
  unsigned sum = 0;
  for (std::size_t i = 0; i < 7; ++i) sum += command[i];
  return static_cast<Byte>(0xFF - sum);
}

FeatureReport BuildFeatureReport(const Command& command) {
  FeatureReport report{};
  std::copy_n(command.begin(), 7, report.begin() + 1);
  report[8] = CommandChecksum(command);
  return report;
}

Status FeatureProtocol::SendCommand(Command& command) {
  const bool readBack = (command[0] & READ_BACK_FLAG) != 0;
  FeatureReport report = BuildFeatureReport(command);
  Status status = transport_->SetFeature(report);
  if (!readBack) return status;
  report.fill(0);
  KeepFirstFailure(status, transport_->GetFeature(report));
  std::copy(report.begin() + 1, report.end(), command.begin());
  return status;
}

Status FeatureProtocol::TransferBlock(Command& command, std::span<Byte, kPageSize> data) {
  const bool read = (command[0] & READ_BACK_FLAG) != 0;
  Status status = SendCommand(command);
  const std::size_t length = std::min<std::size_t>(command[2], data.size());
  const std::size_t chunks = (length + kChunkSize - 1) / kChunkSize;
  for (std::size_t i = 0; i < chunks; ++i) {
    const auto part = data.subspan(i * kChunkSize, kChunkSize);
    if (read) {
      // Never smaller than one chunk, so a short input report leaves zeros, not stale bytes.
      std::vector<Byte> report(std::max(transport_->inputReportLength(), 1 + kChunkSize), 0);
      Status readStatus = transport_->ReadInput(std::span(report).first(transport_->inputReportLength()));
      if (!readStatus.ok()) std::fill(report.begin(), report.end(), Byte{0});
      KeepFirstFailure(status, std::move(readStatus));
      std::copy_n(report.begin() + 1, kChunkSize, part.begin());
    } else {
      std::array<Byte, kOutputReportSize> report{};
      std::copy(part.begin(), part.end(), report.begin() + 1);
      KeepFirstFailure(status, transport_->WriteOutput(report));
      transport_->Sleep(kChunkDelay);
    }
  }
  return status;
}

Status FeatureProtocol::SendAttach() {
  Command command = MakeCommand(CMD_ATTACH, mirror_.attachByte);
  return SendCommand(command);
}

Status FeatureProtocol::ReadActiveProfile() {
  Command command = MakeCommand(CMD_READ_PROFILE);
  Status status = SendCommand(command);
  mirror_.activeProfile = command[1];
  return status;
}

Status FeatureProtocol::TransferSettingsPage(bool write) {
  DevicePage staging{};
  Status status;
  if (write) {
    staging = mirror_.settingsPage;
    Command command = MakeCommand(CMD_WRITE_SETTINGS, 0, PAGE_LENGTH_BYTE);
    status = TransferBlock(command, staging);
  } else {
    Command command = MakeCommand(CMD_READ_SETTINGS);
    status = TransferBlock(command, staging);
    const std::size_t length = std::min<std::size_t>(command[2], kPageSize);
    std::copy_n(staging.begin(), length, mirror_.settingsPage.begin());
  }
  transport_->Sleep(kSettingsDelay);
  return status;
}

Status FeatureProtocol::WriteKeyPage() {
  Command command = MakeCommand(CMD_WRITE_KEYS, mirror_.activeProfile, PAGE_LENGTH_BYTE);
  Status status = TransferBlock(command, mirror_.keyPage);
  transport_->Sleep(kKeyPageDelay);
  return status;
}

Status FeatureProtocol::WriteMacroPage(int slot) {
  Command command = MakeCommand(CMD_WRITE_MACRO, static_cast<Byte>(slot), PAGE_LENGTH_BYTE);
  Status status = TransferBlock(command, mirror_.macroPages[slot - 1]);
  transport_->Sleep(kMacroPageDelay);
  return status;
}

}  // namespace korvane
