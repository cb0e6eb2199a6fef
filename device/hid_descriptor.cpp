#include "device/hid_descriptor.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <map>

namespace korvane {
namespace {

// Item types and tags of the short items that matter here.
constexpr unsigned kTypeMain = 0, kTypeGlobal = 1, kTypeLocal = 2;
constexpr unsigned kMainInput = 0x8, kMainOutput = 0x9, kMainFeature = 0xB, kMainCollection = 0xA,
                   kMainEndCollection = 0xC;
constexpr unsigned kGlobalUsagePage = 0x0, kGlobalReportSize = 0x7, kGlobalReportId = 0x8,
                   kGlobalReportCount = 0x9, kGlobalPush = 0xA, kGlobalPop = 0xB;
constexpr unsigned kLocalUsage = 0x0;
constexpr Byte kLongItemPrefix = 0xFE;

struct GlobalState {
  std::uint32_t usagePage = 0;
  std::uint32_t reportSize = 0;
  std::uint32_t reportCount = 0;
  Byte reportId = 0;
};

enum ReportKind { kInput, kOutput, kFeature, kReportKinds };

// Bits per report ID of each kind, for one top-level collection.
using ReportBits = std::array<std::map<Byte, std::uint64_t>, kReportKinds>;

std::uint16_t ReportLength(const std::map<Byte, std::uint64_t>& reports) {
  std::uint64_t largest = 0;
  for (const auto& [id, bits] : reports) largest = std::max(largest, (bits + 7) / 8);
  if (reports.empty()) return 0;
  return static_cast<std::uint16_t>(std::min<std::uint64_t>(largest + 1, 0xFFFF));
}

}  // namespace

std::optional<ParsedDescriptor> ParseReportDescriptor(std::span<const Byte> descriptor) {
  ParsedDescriptor parsed;
  std::vector<ReportBits> bits;
  GlobalState global;
  std::vector<GlobalState> stack;
  // The first Usage of the current main item; 0 until one is met (a Usage of 0 is undefined).
  std::uint32_t firstUsage = 0;
  bool usageSeen = false;
  bool usageHasPage = false;
  int depth = 0;

  std::size_t pos = 0;
  while (pos < descriptor.size()) {
    const Byte prefix = descriptor[pos];
    if (prefix == kLongItemPrefix) {
      // A long item: prefix, data size, tag, then the data, which must lie wholly inside the descriptor.
      if (pos + 2 >= descriptor.size() || pos + 3 + descriptor[pos + 1] > descriptor.size()) return std::nullopt;
      pos += 3 + descriptor[pos + 1];
      continue;
    }
    const std::size_t size = (prefix & 0x3) == 3 ? 4 : (prefix & 0x3);
    const unsigned type = (prefix >> 2) & 0x3;
    const unsigned tag = prefix >> 4;
    if (pos + 1 + size > descriptor.size()) return std::nullopt;
    std::uint32_t value = 0;
    for (std::size_t i = 0; i < size; ++i) value |= std::uint32_t{descriptor[pos + 1 + i]} << (8 * i);
    pos += 1 + size;

    if (type == kTypeMain) {
      if (tag == kMainCollection) {
        if (depth == 0) {
          HidCaps caps;
          const std::uint32_t usage = firstUsage;
          caps.usagePage = static_cast<std::uint16_t>(usageHasPage ? usage >> 16 : global.usagePage);
          caps.usage = static_cast<std::uint16_t>(usage & 0xFFFF);
          parsed.collections.push_back(caps);
          bits.emplace_back();
        }
        ++depth;
      } else if (tag == kMainEndCollection) {
        if (depth == 0) return std::nullopt;
        --depth;
      } else if ((tag == kMainInput || tag == kMainOutput || tag == kMainFeature) && !bits.empty() && depth > 0) {
        const ReportKind kind = tag == kMainInput ? kInput : tag == kMainOutput ? kOutput : kFeature;
        bits.back()[kind][global.reportId] += std::uint64_t{global.reportSize} * global.reportCount;
      }
      firstUsage = 0;
      usageSeen = false;
      usageHasPage = false;
    } else if (type == kTypeGlobal) {
      switch (tag) {
        case kGlobalUsagePage: global.usagePage = value; break;
        case kGlobalReportSize: global.reportSize = value; break;
        case kGlobalReportCount: global.reportCount = value; break;
        case kGlobalReportId:
          global.reportId = static_cast<Byte>(value);
          parsed.numberedReports = true;
          break;
        case kGlobalPush: stack.push_back(global); break;
        case kGlobalPop:
          if (stack.empty()) return std::nullopt;
          global = stack.back();
          stack.pop_back();
          break;
        default: break;
      }
    } else if (type == kTypeLocal && tag == kLocalUsage && !usageSeen) {
      firstUsage = value;
      usageSeen = true;
      usageHasPage = size == 4;  // an extended usage carries its page in the upper half
    }
  }
  if (depth != 0) return std::nullopt;

  for (std::size_t i = 0; i < parsed.collections.size(); ++i) {
    parsed.collections[i].inputReportLength = ReportLength(bits[i][kInput]);
    parsed.collections[i].outputReportLength = ReportLength(bits[i][kOutput]);
    parsed.collections[i].featureReportLength = ReportLength(bits[i][kFeature]);
  }
  return parsed;
}

}  // namespace korvane
