#pragma once

namespace korvane {

// The floor for start-up: a Qt program that shows one window of the main window's size and paints it
// with one caption (so that, like any window with text, it pays for the font set-up). With
// --screenshot FILE it renders the window to FILE instead, as korvane --screenshot does. Returns the exit
// code.
int RunMinimalWindow(int argc, char** argv);

}  // namespace korvane
