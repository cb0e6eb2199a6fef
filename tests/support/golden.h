#pragma once

#include <gtest/gtest.h>

#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "config/mouse_config.h"

namespace korvane::testing {

// A byte image kept by hand in tests/golden/<name>: "size N", then lines "offset: bytes" in rising order,
// all in hex, with "#" starting a comment. Bytes no line names are zero. A malformed file fails the test
// that reads it and gives no bytes.
std::vector<Byte> GoldenBytes(std::string_view name);
// The lines of a text file in tests/golden/ (a trace), without their line ends and without the lines
// that start with "#", which are notes.
std::vector<std::string> GoldenLines(std::string_view name);

// Byte for byte; on a difference, the size and each differing offset with the expected and actual byte.
::testing::AssertionResult SameBytes(std::span<const Byte> expected, std::span<const Byte> actual);
// Line for line; on a difference, each differing line's number with the expected and actual line.
::testing::AssertionResult SameLines(const std::vector<std::string>& expected, const std::vector<std::string>& actual);

}  // namespace korvane::testing
