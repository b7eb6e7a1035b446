#pragma once
#include <cstddef>
#include <memory>
#include <string>

// A file's bytes mapped read-only into memory. The typeface files are opened
// at several sizes; reading them from memory spares FreeType the thousands of
// small seeks and reads it makes on a file, and the pages are shared with every
// other program that has the same typeface open.
class MappedFile {
public:
    // The whole file, or nothing when it cannot be opened or is empty.
    static std::shared_ptr<const MappedFile> open(const std::string& path);

    MappedFile(const void* data, std::size_t size) : bytes(data), length(size) {}
    ~MappedFile();
    MappedFile(const MappedFile&) = delete;
    MappedFile& operator=(const MappedFile&) = delete;

    const void* data() const { return bytes; }
    std::size_t size() const { return length; }

private:
    const void* bytes;
    std::size_t length;
};
