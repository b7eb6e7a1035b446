#pragma once
#include <string>

// The folder where the program keeps its settings and calendars, ending in a
// path separator: "orvel/orvelplan/" under the per-user data folder on Linux
// ($XDG_DATA_HOME when it is an absolute path, otherwise $HOME/.local/share),
// "\orvel\orvelplan\" under the machine's common application data folder
// (C:\ProgramData) on Windows. It is created (with its parents) when missing;
// creation failures are left for the first write to report. Empty when the
// base folder cannot be determined.
std::string programFolder();

// One line saying why programFolder() is empty, for error messages.
std::string missingProgramFolderReason();

// How the help text names the program folder to the user.
const char* programFolderForHelp();
