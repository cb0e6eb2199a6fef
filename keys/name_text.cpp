#include "keys/name_text.h"

#include <algorithm>

namespace korvane {
namespace {

// Bytes of the UTF-8 sequence that starts at text[i] (1 for a stray or truncated byte) and its UTF-16
// units.
struct Step {
  std::size_t bytes;
  std::size_t units;
};

Step StepAt(std::string_view text, std::size_t i) {
  const unsigned char lead = static_cast<unsigned char>(text[i]);
  std::size_t bytes = 1;
  if (lead >= 0xF8) bytes = 1;
  else if (lead >= 0xF0) bytes = 4;
  else if (lead >= 0xE0) bytes = 3;
  else if (lead >= 0xC0) bytes = 2;
  if (bytes > 1) {
    if (i + bytes > text.size()) return {1, 1};
    for (std::size_t k = 1; k < bytes; ++k) {
      if ((static_cast<unsigned char>(text[i + k]) & 0xC0) != 0x80) return {1, 1};
    }
  }
  return {bytes, bytes == 4 ? 2u : 1u};
}

}  // namespace

std::size_t NameLength(std::string_view utf8) {
  std::size_t units = 0;
  for (std::size_t i = 0; i < utf8.size();) {
    const Step step = StepAt(utf8, i);
    units += step.units;
    i += step.bytes;
  }
  return units;
}

std::string CutName(std::string_view utf8, std::size_t maxUnits) {
  std::size_t units = 0;
  std::size_t i = 0;
  while (i < utf8.size()) {
    const Step step = StepAt(utf8, i);
    if (units + step.units > maxUnits) break;
    units += step.units;
    i += step.bytes;
  }
  return std::string(utf8.substr(0, i));
}

}  // namespace korvane
