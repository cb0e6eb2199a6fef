#include "keys/name_text.h"

#include "common/utf8.h"

namespace korvane {

std::size_t NameLength(std::string_view utf8) { return Utf8Length(utf8, Utf8Measure::kUtf16Units); }

std::string CutName(std::string_view utf8, std::size_t maxUnits) {
  return std::string(CutUtf8(utf8, maxUnits, Utf8Measure::kUtf16Units));
}

}  // namespace korvane
