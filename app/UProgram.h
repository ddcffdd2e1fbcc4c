// The program block's work: every window of the program, created once in a
// fixed order, the main window first.
#pragma once

// Creates the 34 windows in their order (the main window becomes the
// application's main window) and registers the windows of the layers above
// the shell with the main window (shell/UProgramWindows.h).
void Create_Program_Windows();
