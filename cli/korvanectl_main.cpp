#include <iostream>
#include <string>
#include <vector>

#include "cli/cli.h"
#include "common/console.h"

int main(int argc, char** argv) {
  const std::vector<std::string> args = korvane::StartConsoleProgram(argc, argv);
  return korvane::cli::Run(args, std::cout, std::cerr);
}
