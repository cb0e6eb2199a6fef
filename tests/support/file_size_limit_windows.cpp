#include "support/test_folder.h"

namespace korvane::testing {

// Windows has no per-process limit on file sizes; the tests that need one skip.
bool FileSizeLimit::Supported() { return false; }
FileSizeLimit::FileSizeLimit(std::size_t /*bytes*/) : previous_(0) {}
FileSizeLimit::~FileSizeLimit() = default;

}  // namespace korvane::testing
