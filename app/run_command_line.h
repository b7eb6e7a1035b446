#pragma once

// Parses the arguments and runs what they ask for: the window, a PDF calendar,
// the text page, help or version. Returns the process exit status.
int runCommandLine(int argc, char** argv);
