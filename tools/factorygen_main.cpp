// Writes the factory profiles into the program folder named on the command line, and the list of their
// names, one a line, for the installation to copy.
#include <cstdio>
#include <filesystem>
#include <string>

#include "common/file_io.h"
#include "config/factory_profile.h"
#include "config/value_rules.h"

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: factorygen PROGRAM_FOLDER NAME_LIST\n");
    return 2;
  }
  std::filesystem::create_directories(argv[1]);
  korvane::Status status = korvane::WriteFactoryFiles(korvane::ProgramFolder(argv[1]));
  if (status) {
    std::string names;
    for (const std::string& name : korvane::FactoryFileNames()) names += name + "\n";
    status = korvane::WriteFileReplacing(argv[2], names);
  }
  if (!status) {
    std::fprintf(stderr, "factorygen: %s\n", status.message().c_str());
    return 1;
  }
  return 0;
}
