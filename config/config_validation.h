#pragma once

#include <array>
#include <cstddef>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "config/mouse_config.h"

namespace korvane {

// The documented values of one field of the record (every entry of an array field alike): low-high, or
// only the listed values when `only` is not empty.
struct FieldRange {
  std::string_view name;  // the field's name in MouseConfig
  std::size_t offset;     // of its first entry in the image
  std::size_t count;      // entries; 1 for a single byte
  Byte low;
  Byte high;
  std::span<const Byte> only;

  bool Accepts(Byte value) const;
  // "2-100", or "1, 2, 4, 8".
  std::string AllowedText() const;
};

// Every field the program reads with a documented range, in image order. Bytes that only some values
// mean anything to (profileSlot, stageColor, pointerPrecision, scrollOneScreen, the parameter arrays, the
// macro pages) and the reserved bytes are not here: no value of theirs is wrong.
extern const std::array<FieldRange, 13> FIELD_RANGES;

// A field entry whose value lies outside its range.
struct FieldProblem {
  const FieldRange* range;
  std::size_t entry;  // 0-based; 0 for a single byte
  Byte value;

  std::size_t offset() const { return range->offset + entry; }
  // "reportRate = 95 (allowed: 1, 2, 4, 8)", "dpiStage[0] = 233 (allowed: 2-100)".
  std::string Describe() const;
};

// The entries of the record outside their ranges, in image order; empty for a sound record.
std::vector<FieldProblem> ValidateConfig(const MouseConfig& config);

// The problems of a refused record as one line: "reportRate = 95 (allowed: 1, 2, 4, 8), dpiStage[0] = …".
std::string DescribeProblems(std::span<const FieldProblem> problems);

}  // namespace korvane
