#pragma once

#include <array>
#include <chrono>
#include <span>

#include "common/small_types.h"
#include "common/status.h"
#include "device/protocol_constants.h"
#include "device/transport.h"

namespace korvane {

// Bytes 0-6: code and parameters; byte 7: checksum slot, filled when the report is built and holding
// the answer's checksum after a read-back.
using Command = std::array<Byte, 8>;
using FeatureReport = std::array<Byte, kFeatureReportSize>;

Command MakeCommand(Byte code, Byte param1 = 0, Byte param2 = 0);
// 0xFF minus the sum of command bytes 0-6, modulo 256.
Byte CommandChecksum(const Command& command);
// Report ID 0, command bytes 0-6, checksum; the caller's byte 7 is never sent.
FeatureReport BuildFeatureReport(const Command& command);

// What the program last sent to or read from the mouse. Cleared on every new connection.
struct DeviceMirror {
  Byte activeProfile = 0;
  Byte attachByte = 0;
  Byte reportRateByte = 0;
  DevicePage settingsPage{};
  DevicePage keyPage{};
  std::array<DevicePage, kMacroCount> macroPages{};  // macro slot n (1-12) at index n - 1

  void Clear() { *this = DeviceMirror(); }
  bool operator==(const DeviceMirror&) const = default;
};

// The command set over a transport. Every operation goes on after a failed platform call, as the mouse
// expects whole sequences; the Status returned is the first failure met (ok when all calls succeeded),
// for callers that want to report it.
class FeatureProtocol {
 public:
  FeatureProtocol(Transport& transport, DeviceMirror& mirror) : transport_(&transport), mirror_(mirror) {}

  Transport& transport() { return *transport_; }
  void setTransport(Transport& transport) { transport_ = &transport; }
  DeviceMirror& mirror() { return mirror_; }

  // One feature report; for a read-back code the command's eight bytes are replaced by the answer
  // (checksum included, unchecked). A failed read-back leaves them all zero.
  Status SendCommand(Command& command);
  // SendCommand, then ceil(L / 64) chunks of the data area, L being command byte 2 as it stands after
  // the read-back. Writes go out as 65-byte output reports, each followed by 20 ms; reads take bytes
  // 1-64 of each input report (zeros when a read fails). L above the data area's size is cut to it.
  Status TransferBlock(Command& command, std::span<Byte, kPageSize> data);

  Status SendAttach();
  Status ReadActiveProfile();
  // write: the mirror's settings page to the mouse; read: the mouse's page into the mirror (only the
  // bytes the answer announces). 10 ms after either.
  Status TransferSettingsPage(bool write);
  Status WriteKeyPage();
  // The mirror's page of macro slot n (1-12), then 20 ms. An upload sends slots 1-12 in order.
  Status WriteMacroPage(int slot);

 private:
  Transport* transport_;
  DeviceMirror& mirror_;
};

}  // namespace korvane
