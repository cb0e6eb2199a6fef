#include "gui/tavik_app.h"

int main(int argc, char** argv) { return korvane::CTavikApp::Run(argc, argv); }
