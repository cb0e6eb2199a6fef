#pragma once

#include <algorithm>
#include <chrono>
#include <deque>
#include <vector>

#include "device/protocol.h"
#include "device/transport.h"

namespace korvane::testing {

// Records every operation and answers from scripts: feature answers and input reports are handed out
// in order; with none left, the read fails as a time-out would.
class RecordingTransport : public Transport {
 public:
  Status SetFeature(std::span<const Byte> report) override { return Record(TransportOp::Kind::SetFeature, report); }
  Status GetFeature(std::span<Byte> report) override {
    if (answers.empty()) return Fail(TransportOp::Kind::GetFeature, report);
    std::copy(answers.front().begin(), answers.front().end(), report.begin());
    answers.pop_front();
    return Record(TransportOp::Kind::GetFeature, report);
  }
  Status WriteOutput(std::span<const Byte> report) override { return Record(TransportOp::Kind::Write, report); }
  Status ReadInput(std::span<Byte> report) override {
    if (inputs.empty()) return Fail(TransportOp::Kind::Read, report);
    std::copy_n(inputs.front().begin(), std::min(report.size(), inputs.front().size()), report.begin());
    inputs.pop_front();
    return Record(TransportOp::Kind::Read, report);
  }
  std::size_t inputReportLength() const override { return inputLength; }
  void Sleep(std::chrono::milliseconds duration) override {
    TransportOp op;
    op.kind = TransportOp::Kind::Sleep;
    op.duration = duration;
    ops.push_back(op);
  }

  // An answer to a read-back command: the feature report of `command` with its checksum.
  void Answer(const Command& command) { answers.push_back(BuildFeatureReport(command)); }

  std::vector<TransportOp> ops;
  std::deque<FeatureReport> answers;
  std::deque<std::vector<Byte>> inputs;
  std::size_t inputLength = kOutputReportSize;

 private:
  Status Record(TransportOp::Kind kind, std::span<const Byte> bytes, Status status = Status::Ok()) {
    TransportOp op;
    op.kind = kind;
    op.bytes.assign(bytes.begin(), bytes.end());
    op.status = status;
    ops.push_back(op);
    return status;
  }
  Status Fail(TransportOp::Kind kind, std::span<const Byte> bytes) {
    return Record(kind, bytes, Status::Failure("no answer", ETIMEDOUT));
  }
};

// Shorthands for expected operations.
inline TransportOp Op(TransportOp::Kind kind, std::vector<Byte> bytes, int ms = 0) {
  TransportOp op;
  op.kind = kind;
  op.bytes = std::move(bytes);
  op.duration = std::chrono::milliseconds(ms);
  return op;
}
inline TransportOp SetFeatureOp(std::vector<Byte> bytes) { return Op(TransportOp::Kind::SetFeature, std::move(bytes)); }
inline TransportOp WriteOp(std::vector<Byte> bytes) { return Op(TransportOp::Kind::Write, std::move(bytes)); }
inline TransportOp SleepOp(int ms) { return Op(TransportOp::Kind::Sleep, {}, ms); }

}  // namespace korvane::testing
