#include "common/numbers.h"

#include <algorithm>
#include <charconv>
#include <limits>

namespace korvane {

long long LeadingNumber(std::string_view text) {
  const auto blank = [](char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r'; };
  std::size_t i = 0;
  while (i < text.size() && blank(text[i])) ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == '-' || text[i] == '+')) negative = text[i++] == '-';
  long long value = 0;
  for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
    const int digit = text[i] - '0';
    value = value > (kLeadingNumberBound - digit) / 10 ? kLeadingNumberBound : value * 10 + digit;
  }
  return negative ? -value : value;
}

int LeadingInt(std::string_view text) {
  return static_cast<int>(std::clamp<long long>(LeadingNumber(text), std::numeric_limits<int>::min(),
                                                std::numeric_limits<int>::max()));
}

std::optional<long long> WholeNumber(std::string_view text) {
  long long value = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (error != std::errc() || end != text.data() + text.size()) return std::nullopt;
  return value;
}

}  // namespace korvane
