#pragma once
#include <cstddef>
#include <cstdint>
#include <string>

// What each system provides for the small-file reader; its bounds and what it
// refuses are decided once, in small_file.cpp.
//
// A file opened for reading without waiting, so that a FIFO without a writer
// or a device in its place cannot hold the program; closed with the object.
class ReadOnlyFile {
public:
    enum class Found { regularFile, somethingElse, nothing, failure };

    explicit ReadOnlyFile(const std::string& path);
    ~ReadOnlyFile();
    ReadOnlyFile(const ReadOnlyFile&) = delete;
    ReadOnlyFile& operator=(const ReadOnlyFile&) = delete;

    // What the path names; only a regular file is left open for reading.
    Found found() const { return kind; }
    // Reads at most `size` bytes into `into`: how many, 0 at the end of the
    // file, -1 on a failure.
    std::ptrdiff_t read(char* into, std::size_t size);
    // The system's reason for a failure to open or to read.
    const std::string& error() const { return reason; }

private:
    std::intptr_t handle = -1;  // the system's descriptor or handle; -1 for none
    Found kind = Found::nothing;
    std::string reason;
};
