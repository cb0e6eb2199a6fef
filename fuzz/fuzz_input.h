#pragma once

// The input format of the device fuzz targets: a plain stream of bytes taken in order, so that the
// seed generator can write recorded traffic as it happened. Past the end every byte reads as 0.
#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <span>
#include <vector>

#include "common/small_types.h"

namespace korvane::fuzz {

[[gnu::noinline]] inline void Require(bool condition) {
  if (!condition) std::abort();
}

class ByteStream {
 public:
  ByteStream(const std::uint8_t* data, std::size_t size) : rest_(data, size) {}

  bool empty() const { return rest_.empty(); }
  Byte Next() {
    if (rest_.empty()) return 0;
    const Byte next = rest_.front();
    rest_ = rest_.subspan(1);
    return next;
  }
  // Up to `count` bytes, fewer at the end of the stream.
  std::vector<Byte> Take(std::size_t count) {
    const std::size_t taken = std::min(count, rest_.size());
    std::vector<Byte> bytes(rest_.begin(), rest_.begin() + taken);
    rest_ = rest_.subspan(taken);
    return bytes;
  }

 private:
  std::span<const std::uint8_t> rest_;
};

// Emulated-mouse steps: a step byte, then a length byte and that many bytes where the step takes a
// report.
enum class MouseStep : Byte { SetFeature, GetFeature, Write, ReadCommands, ReadEvents, Button, Unplug, Plug, kCount };

// Transport answers: every call takes an outcome byte first; a get-feature or read that succeeds then
// takes the report's bytes.
inline constexpr Byte kOutcomeGone = 0xFF;
inline constexpr Byte kOutcomeTimedOut = 0xFE;
inline constexpr Byte kOutcomeOk = 0x00;

}  // namespace korvane::fuzz
