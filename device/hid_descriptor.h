#pragma once

#include <optional>
#include <span>
#include <vector>

#include "common/small_types.h"
#include "device/hid_backend.h"

namespace korvane {

// What a report descriptor declares, one entry per top-level collection in descriptor order.
struct ParsedDescriptor {
  std::vector<HidCaps> collections;
  // Whether the reports carry a report-ID byte on the wire (any Report ID item present).
  bool numberedReports = false;
};

// Parses a HID report descriptor. The report lengths of each collection are those of its largest
// report of each kind plus the report-ID byte, as the HID class driver of the other desktop systems
// states them. nullopt for a truncated descriptor or unbalanced collections.
std::optional<ParsedDescriptor> ParseReportDescriptor(std::span<const Byte> descriptor);

}  // namespace korvane
