#pragma once
#include <cstddef>
#include <string>

// Reading a small file that the program keeps for itself (its settings)
// without ever blocking: the file is opened without waiting and must turn out
// to be a regular file, so a FIFO or a device in its place is not read, and
// no more than `limit` bytes are taken from it.
struct SmallFileRead {
    enum class Outcome { read, missing, notRegular, failed };
    Outcome outcome = Outcome::missing;
    std::string content;  // the first `limit` bytes at most, when read
    std::string error;    // the reason, for notRegular and failed
};

SmallFileRead readSmallFile(const std::string& path, std::size_t limit);
