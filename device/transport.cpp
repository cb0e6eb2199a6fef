#include "device/transport.h"

#include <thread>

namespace korvane {

void RealSleep(std::chrono::milliseconds duration) { std::this_thread::sleep_for(duration); }

std::string HexBytes(std::span<const Byte> bytes) {
  static constexpr char kDigits[] = "0123456789abcdef";
  std::string text;
  text.reserve(bytes.size() * 3);
  for (Byte b : bytes) {
    if (!text.empty()) text += ' ';
    text += kDigits[b >> 4];
    text += kDigits[b & 0x0F];
  }
  return text;
}

std::string FormatTransportOp(const TransportOp& op) {
  std::string line;
  switch (op.kind) {
    case TransportOp::Kind::SetFeature: line = "set-feature "; break;
    case TransportOp::Kind::GetFeature: line = "get-feature "; break;
    case TransportOp::Kind::Write: line = "write "; break;
    case TransportOp::Kind::Read: line = "read "; break;
    case TransportOp::Kind::Sleep: return "sleep " + std::to_string(op.duration.count());
  }
  line += HexBytes(op.bytes);
  if (!op.status.ok()) line += " (failed: " + op.status.message() + ")";
  return line;
}

Status TracingTransport::Report(TransportOp::Kind kind, std::span<const Byte> bytes, Status status) {
  TransportOp op;
  op.kind = kind;
  op.bytes.assign(bytes.begin(), bytes.end());
  op.status = status;
  callback_(op);
  return status;
}

Status TracingTransport::SetFeature(std::span<const Byte> report) {
  return Report(TransportOp::Kind::SetFeature, report, inner_.SetFeature(report));
}

Status TracingTransport::GetFeature(std::span<Byte> report) {
  Status status = inner_.GetFeature(report);
  return Report(TransportOp::Kind::GetFeature, report, std::move(status));
}

Status TracingTransport::WriteOutput(std::span<const Byte> report) {
  return Report(TransportOp::Kind::Write, report, inner_.WriteOutput(report));
}

Status TracingTransport::ReadInput(std::span<Byte> report) {
  Status status = inner_.ReadInput(report);
  return Report(TransportOp::Kind::Read, report, std::move(status));
}

void TracingTransport::Sleep(std::chrono::milliseconds duration) {
  inner_.Sleep(duration);
  TransportOp op;
  op.kind = TransportOp::Kind::Sleep;
  op.duration = duration;
  callback_(op);
}

}  // namespace korvane
