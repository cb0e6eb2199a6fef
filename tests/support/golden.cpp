#include "support/golden.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace korvane::testing {
namespace {

constexpr int kDifferencesShown = 16;

std::filesystem::path GoldenPath(std::string_view name) {
  return std::filesystem::path(KORVANE_SOURCE_DIR) / "tests" / "golden" / name;
}

bool ParseHex(std::string_view word, unsigned long& value) {
  if (word.empty() || word.size() > 8) return false;
  value = 0;
  for (char c : word) {
    const int digit = c >= '0' && c <= '9' ? c - '0' : c >= 'a' && c <= 'f' ? c - 'a' + 10 : -1;
    if (digit < 0) return false;
    value = value * 16 + unsigned(digit);
  }
  return true;
}

std::string Hex(unsigned long value, int width) {
  std::ostringstream text;
  text << std::hex;
  text.width(width);
  text.fill('0');
  text << value;
  return text.str();
}

}  // namespace

std::vector<std::string> GoldenLines(std::string_view name) {
  std::ifstream in(GoldenPath(name), std::ios::binary);
  if (!in) ADD_FAILURE() << "no golden file " << GoldenPath(name);
  std::vector<std::string> lines;
  for (std::string line; std::getline(in, line);) {
    if (!line.starts_with('#')) lines.push_back(line);
  }
  return lines;
}

std::vector<Byte> GoldenBytes(std::string_view name) {
  std::vector<Byte> image;
  bool sized = false;
  std::size_t next = 0;  // offsets rise: a line may not reach back into an earlier one
  int number = 0;
  for (const std::string& full : GoldenLines(name)) {
    ++number;
    std::istringstream words(full.substr(0, full.find('#')));
    std::string word;
    if (!(words >> word)) continue;
    unsigned long value = 0;
    const auto fail = [&](std::string_view why) {
      ADD_FAILURE() << name << " line " << number << ": " << why << ": " << full;
      return std::vector<Byte>();
    };
    if (word == "size") {
      if (sized || !(words >> word) || !ParseHex(word, value)) return fail("one size in hex");
      image.assign(value, 0);
      sized = true;
      continue;
    }
    if (!sized || word.back() != ':' || !ParseHex(word.substr(0, word.size() - 1), value)) {
      return fail("\"size\" first, then \"offset:\"");
    }
    if (value < next) return fail("offsets must rise");
    for (next = value; words >> word; ++next) {
      unsigned long byte = 0;
      if (word.size() != 2 || !ParseHex(word, byte)) return fail("bytes are two hex digits");
      if (next >= image.size()) return fail("past the size");
      image[next] = Byte(byte);
    }
  }
  if (!sized) ADD_FAILURE() << name << ": no size";
  return image;
}

::testing::AssertionResult SameBytes(std::span<const Byte> expected, std::span<const Byte> actual) {
  std::ostringstream report;
  int differences = 0;
  if (expected.size() != actual.size()) {
    report << "\n  size: expected " << expected.size() << ", actual " << actual.size();
    ++differences;
  }
  for (std::size_t i = 0; i < std::min(expected.size(), actual.size()); ++i) {
    if (expected[i] == actual[i]) continue;
    if (++differences <= kDifferencesShown) {
      report << "\n  offset 0x" << Hex(i, 3) << ": expected " << Hex(expected[i], 2) << ", actual "
             << Hex(actual[i], 2);
    }
  }
  if (differences == 0) return ::testing::AssertionSuccess();
  if (differences > kDifferencesShown) report << "\n  … " << differences - kDifferencesShown << " more";
  return ::testing::AssertionFailure() << differences << " differences:" << report.str();
}

::testing::AssertionResult SameLines(const std::vector<std::string>& expected, const std::vector<std::string>& actual) {
  std::ostringstream report;
  int differences = 0;
  for (std::size_t i = 0; i < std::max(expected.size(), actual.size()); ++i) {
    const std::string want = i < expected.size() ? expected[i] : "(none)";
    const std::string got = i < actual.size() ? actual[i] : "(none)";
    if (want == got) continue;
    if (++differences <= kDifferencesShown) {
      report << "\n  line " << i + 1 << ":\n    expected " << want << "\n    actual   " << got;
    }
  }
  if (differences == 0) return ::testing::AssertionSuccess();
  if (differences > kDifferencesShown) report << "\n  … " << differences - kDifferencesShown << " more";
  return ::testing::AssertionFailure() << differences << " differing lines:" << report.str();
}

}  // namespace korvane::testing
