#pragma once
#include <string>

// The per-user data folder: $XDG_DATA_HOME when it is set to an absolute path,
// otherwise $HOME/.local/share. Empty when neither can be determined.
std::string userDataFolder();

// The folder where the program keeps its settings and calendars, ending in '/':
// the user data folder followed by "orvel/orvelplan/", created (with its
// parents) when missing. `problem` is empty when the folder exists, otherwise
// one line saying why it cannot be used (no data folder, or which folder
// could not be created and why); `path` is empty only without a data folder.
struct ProgramFolder {
    std::string path;
    std::string problem;
};
ProgramFolder findProgramFolder();

// The path of findProgramFolder(), for callers that let the first file
// operation report a problem.
std::string programFolder();
