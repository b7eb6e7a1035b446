#pragma once
#include <string>

// The folder where the program keeps its settings and calendars, ending in a
// path separator: "orvel/orvelplan/" under the per-user data folder on Linux
// ($XDG_DATA_HOME when it is an absolute path, otherwise $HOME/.local/share),
// "\orvel\orvelplan\" under the machine's common application data folder
// (C:\ProgramData) on Windows. It is created (with its parents) when missing.
// `problem` is empty when the folder exists, otherwise one line saying why it
// cannot be used (no base folder, or which folder could not be created and
// why); `path` is empty only when the base folder cannot be determined.
struct ProgramFolder {
    std::string path;
    std::string problem;
};
ProgramFolder findProgramFolder();

// The path of findProgramFolder(), for callers that let the first file
// operation report a problem.
std::string programFolder();
