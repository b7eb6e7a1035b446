#pragma once

// Loads the window module that sits beside the executable and runs the main
// window from it; returns the process exit status. Keeping the window's
// libraries (SDL, fonts, X11) out of the executable lets the command line start
// without loading any of them.
int runWindowModule();
