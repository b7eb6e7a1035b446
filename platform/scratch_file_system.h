#pragma once
#include <string>

#include "platform/file_system.h"

// What each system provides for scratch files (scratch_file.h); their names,
// their bytes and the check that fopen opens them are decided once, in
// scratch_file.cpp.

// A new empty file that only this process uses, open for writing, with the
// name fopen opens it by: on Linux a file in memory that `label` names only
// in /proc, on Windows the file `label` in the user's temporary folder,
// marked temporary. No file when it cannot be made; `labelTaken` when
// another file already has that name.
struct NewScratchFile {
    SystemHandle file;
    std::string path;
    bool labelTaken = false;
};
NewScratchFile createScratchFile(const std::string& label);

// Removes the file's name, where it has one, once its handle is closed.
void removeScratchFileName(const std::string& path);
