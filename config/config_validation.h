#pragma once

#include <array>
#include <bitset>
#include <cstddef>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "config/mouse_config.h"

namespace korvane {

// The values one byte of the record may hold.
using ByteValues = std::bitset<256>;

// The values in rising order, runs of three or more as low-high: "2-100", "1, 2, 4, 8",
// "0, 4-99, 101, 224-231, 240-242".
std::string AllowedText(const ByteValues& values);

// The documented values of one field of the record (every entry of an array field alike): low-high, or
// only the listed values when `only` is not empty.
struct FieldRange {
  std::string_view name;  // the field's name in MouseConfig
  std::size_t offset;     // of its first entry in the image
  std::size_t count;      // entries; 1 for a single byte
  Byte low;
  Byte high;
  std::span<const Byte> only;

  ByteValues Values() const;
};

// Every settings field the program reads with a documented range, in image order. Bytes that only some
// values mean anything to (profileSlot, stageColor, pointerPrecision, scrollOneScreen, the macro pages) and
// the reserved bytes are not here: no value of theirs is wrong. The parameter arrays are judged button by
// button, by the kind each button has (see ValidateConfig).
extern const std::array<FieldRange, 13> FIELD_RANGES;
// The row of FIELD_RANGES whose field starts at the offset (kDpiStageOffset, kScrollLinesOffset, …).
const FieldRange& FieldRangeAt(std::size_t offset);

// A byte of the record whose value its field does not allow.
struct FieldProblem {
  std::string field;                 // "reportRate", "dpiStage", "button 3 macro number"
  std::size_t fieldOffset;           // of the field (its first entry) in the image
  std::optional<std::size_t> entry;  // 0-based entry of an array field
  Byte value;
  std::string allowed;               // AllowedText of the field's values

  std::size_t offset() const { return fieldOffset + entry.value_or(0); }
  // "reportRate = 95 (allowed: 1, 2, 4, 8)", "dpiStage[0] = 233 (allowed: 2-100)",
  // "button 3 macro number = 255 (allowed: 0-11)".
  std::string Describe() const;
};

// The bytes of the fields of FIELD_RANGES outside what their fields allow, in image order.
std::vector<FieldProblem> ValidateSettingsFields(const MouseConfig& config);

// The problems of a refused record as one line: "reportRate = 95 (allowed: 1, 2, 4, 8), dpiStage[0] = …".
std::string DescribeProblems(std::span<const FieldProblem> problems);

}  // namespace korvane
