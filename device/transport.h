#pragma once

#include <chrono>
#include <cstddef>
#include <functional>
#include <span>
#include <string>
#include <vector>

#include "common/small_types.h"
#include "common/status.h"

namespace korvane {

// Report sizes on the command interface, report-ID byte included (byte 0, always 0 there).
inline constexpr std::size_t kFeatureReportSize = 9;
inline constexpr std::size_t kOutputReportSize = 65;
inline constexpr std::size_t kChunkSize = 64;

// The four operations the protocol needs on the mouse's command interface, plus the protocol's fixed
// delays. Every report buffer starts with the report-ID byte. Implementations: the link's command
// interface (DeviceLink::transport), TracingTransport, and recorders in tests.
class Transport {
 public:
  virtual ~Transport() = default;

  // One feature report of kFeatureReportSize bytes.
  virtual Status SetFeature(std::span<const Byte> report) = 0;
  // report arrives zeroed but for byte 0 (the report ID) and leaves holding the answer.
  virtual Status GetFeature(std::span<Byte> report) = 0;
  // One output report, always kOutputReportSize bytes.
  virtual Status WriteOutput(std::span<const Byte> report) = 0;
  // One input report of inputReportLength() bytes into a zeroed buffer of that size. Bounded by a
  // time-out: a mouse that does not answer yields a failure, never a hang.
  virtual Status ReadInput(std::span<Byte> report) = 0;
  virtual std::size_t inputReportLength() const = 0;
  // Real in the program, recorded in tests.
  virtual void Sleep(std::chrono::milliseconds duration) = 0;
};

using SleepFunction = std::function<void(std::chrono::milliseconds)>;
// std::this_thread::sleep_for.
void RealSleep(std::chrono::milliseconds duration);

// One transport operation as TracingTransport reports it. bytes are the report as sent (set-feature,
// write) or as answered (get-feature, read); empty for sleep.
struct TransportOp {
  enum class Kind { SetFeature, GetFeature, Write, Read, Sleep };
  Kind kind = Kind::SetFeature;
  std::vector<Byte> bytes;
  std::chrono::milliseconds duration{0};  // sleep only
  Status status;                          // outcome of the operation (sleep: always ok)

  bool operator==(const TransportOp& other) const {
    return kind == other.kind && bytes == other.bytes && duration == other.duration;
  }
};

// "set-feature 00 82 00 00 00 00 00 00 7d", "get-feature …", "write …", "read …", "sleep 20";
// a failed operation ends with " (failed: <message>)".
std::string FormatTransportOp(const TransportOp& op);
// Lower-case hexadecimal bytes separated by single spaces.
std::string HexBytes(std::span<const Byte> bytes);

// Passes every operation on to another transport and reports it, with its outcome, to a callback.
class TracingTransport : public Transport {
 public:
  using Callback = std::function<void(const TransportOp&)>;
  TracingTransport(Transport& inner, Callback callback) : inner_(inner), callback_(std::move(callback)) {}

  Status SetFeature(std::span<const Byte> report) override;
  Status GetFeature(std::span<Byte> report) override;
  Status WriteOutput(std::span<const Byte> report) override;
  Status ReadInput(std::span<Byte> report) override;
  std::size_t inputReportLength() const override { return inner_.inputReportLength(); }
  void Sleep(std::chrono::milliseconds duration) override;

 private:
  Status Report(TransportOp::Kind kind, std::span<const Byte> bytes, Status status);

  Transport& inner_;
  Callback callback_;
};

}  // namespace korvane
