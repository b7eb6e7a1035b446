#pragma once
#include <cstddef>
#include <string>

// What each system provides for the program folder; its place under the base
// folder and the making of what is missing are decided once, in
// app_folders.cpp.

// The folder under which the program keeps its own, ending in the system's
// path separator; empty, with `problem` saying why, when it is unknown.
struct BaseFolder {
    std::string path;
    std::string problem;
};
BaseFolder baseDataFolder();

// How many leading characters of an absolute path name its root ("/",
// "C:\"), which is never made.
std::size_t folderRootLength(const std::string& path);

// Makes one folder, whose parent exists. Something already there is accepted
// when it is a folder (or a link to one).
struct FolderMaking {
    enum class Outcome { ready, notAFolder, failed };
    Outcome outcome = Outcome::ready;
    std::string error;  // the system's reason, unless ready
};
FolderMaking makeFolder(const std::string& path);
