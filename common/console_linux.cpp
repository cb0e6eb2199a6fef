#include "common/console.h"

namespace korvane {

std::vector<std::string> StartConsoleProgram(int argc, char** argv) {
  return std::vector<std::string>(argv + (argc > 0 ? 1 : 0), argv + argc);
}

}  // namespace korvane
