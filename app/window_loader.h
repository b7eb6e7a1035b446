#pragma once
#include <string>
#include <vector>

// Loads the window module and runs the main window from it; returns the
// process exit status. Keeping the window's libraries (SDL, fonts, X11) out of
// the executable lets the command line start without loading any of them.
int runWindowModule();

// Where the window module may be, in the order tried, for the executable at
// this absolute path: beside it (the build tree), then in the installed
// layout's module folder relative to it (bin/../lib/orvelplan/), so that an
// installed tree works wherever it is copied.
std::vector<std::string> windowModuleCandidates(const std::string& executablePath);
