#pragma once

#include <string>
#include <vector>

namespace korvane {

// For a console program's main: its arguments after the program name, in UTF-8 (Windows hands main
// them in the local code page, so they come from the wide command line there), with standard output
// and error set to pass bytes as written (Windows would turn each "\n" into "\r\n").
std::vector<std::string> StartConsoleProgram(int argc, char** argv);

}  // namespace korvane
