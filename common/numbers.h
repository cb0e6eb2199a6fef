#pragma once

#include <optional>
#include <string_view>

namespace korvane {

// How far LeadingNumber goes: a number written beyond it reads as the bound, so that one more can still be
// added to what it returns.
inline constexpr long long kLeadingNumberBound = 1'000'000'000'000'000'000;

// The leading decimal number of a text as the C library's atoi reads it, as the profile and macro files
// are read: leading white space, one optional sign, then the digits up to the first other character; 0
// without digits. It saturates at ±kLeadingNumberBound instead of overflowing.
long long LeadingNumber(std::string_view text);
// LeadingNumber held to the range of int.
int LeadingInt(std::string_view text);

// The text as one decimal number with nothing before or after it (a '-' may lead); none when it is not one
// or lies beyond long long.
std::optional<long long> WholeNumber(std::string_view text);

}  // namespace korvane
