#pragma once
#include <string>
#include <string_view>

#include "platform/file_system.h"

// Bytes in a file of their own, for a library that reads only files it opens
// by name with the C library's fopen (the PDF library loads TrueType fonts
// that way and reads them again when it saves the document). The file is
// there, unchanged, while the object holds it and is gone after it; on Linux
// it is kept in memory and never appears in a folder.
class ScratchFile {
public:
    ScratchFile() = default;  // holds no file
    // A file holding `bytes`; none when the system cannot make one that
    // fopen opens by its name.
    static ScratchFile holding(std::string_view bytes);

    ~ScratchFile();
    ScratchFile(ScratchFile&& other) noexcept;
    ScratchFile& operator=(ScratchFile&& other) noexcept;

    bool held() const { return file.valid(); }
    // The name to open it by; empty when no file is held.
    const std::string& path() const { return name; }

private:
    void release();

    SystemHandle file;
    std::string name;
};
