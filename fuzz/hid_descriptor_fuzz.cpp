// Any bytes as a report descriptor from sysfs, and as the uevent text beside it.
#include <cstdint>
#include <cstdlib>
#include <span>
#include <string_view>

#include "device/hid_descriptor.h"
#include "device/hidraw_backend.h"
#include "fuzz_input.h"

using namespace korvane;
using fuzz::Require;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::span<const Byte> descriptor(data, size);
  const std::optional<ParsedDescriptor> parsed = ParseReportDescriptor(descriptor);
  if (parsed) {
    // A whole descriptor followed by another whole one lists the collections of both.
    std::vector<Byte> twice(data, data + size);
    twice.insert(twice.end(), data, data + size);
    const std::optional<ParsedDescriptor> both = ParseReportDescriptor(twice);
    Require(both.has_value() && both->collections.size() == 2 * parsed->collections.size());
  }

  const std::optional<HidAttributes> ids =
      ParseHidId(std::string_view(reinterpret_cast<const char*>(data), size));
  (void)ids;
  return 0;
}
