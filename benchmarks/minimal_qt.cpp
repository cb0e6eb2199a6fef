// The floor for start-up that scripts/bench.sh measures the program against (gui/minimal_window.h).
#include "gui/minimal_window.h"

int main(int argc, char** argv) { return korvane::RunMinimalWindow(argc, argv); }
