// Writes the factory profiles into the program folder named on the command line.
#include <cstdio>
#include <filesystem>

#include "config/factory_profile.h"

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: factorygen PROGRAM_FOLDER\n");
    return 2;
  }
  std::filesystem::create_directories(argv[1]);
  const korvane::Status status = korvane::WriteFactoryFiles(korvane::ProgramFolder(argv[1]));
  if (!status) {
    std::fprintf(stderr, "factorygen: %s\n", status.message().c_str());
    return 1;
  }
  return 0;
}
