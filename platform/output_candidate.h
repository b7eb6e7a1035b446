#pragma once
#include <string>

// Deletes the file at `path` if the system lets us, then tries to open it for
// reading. True when it cannot be opened (the name is free to be written),
// false when the file survived the delete: on Windows a file that a viewer
// holds open cannot be deleted, on Linux only a file in a folder we may not
// change, or something that is not a file, survives.
bool clearedForWriting(const std::string& path);
