#include <sys/resource.h>

#include <csignal>

#include "support/test_folder.h"

namespace korvane::testing {

bool FileSizeLimit::Supported() { return true; }

FileSizeLimit::FileSizeLimit(std::size_t bytes) {
  std::signal(SIGXFSZ, SIG_IGN);
  rlimit limit{};
  ::getrlimit(RLIMIT_FSIZE, &limit);
  previous_ = limit.rlim_cur;
  limit.rlim_cur = bytes;
  ::setrlimit(RLIMIT_FSIZE, &limit);
}

FileSizeLimit::~FileSizeLimit() {
  rlimit limit{};
  ::getrlimit(RLIMIT_FSIZE, &limit);
  limit.rlim_cur = previous_;
  ::setrlimit(RLIMIT_FSIZE, &limit);
}

}  // namespace korvane::testing
