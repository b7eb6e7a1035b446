#pragma once
#include <string>

// The per-user data folder: $XDG_DATA_HOME when it is set to an absolute path,
// otherwise $HOME/.local/share. Empty when neither can be determined.
std::string userDataFolder();

// The folder where the program keeps its settings and calendars, ending in '/':
// the user data folder followed by "orvel/orvelplan/". It is created (with its
// parents) when missing; creation failures are left for the first write to report.
// Empty when the user data folder cannot be determined.
std::string programFolder();
