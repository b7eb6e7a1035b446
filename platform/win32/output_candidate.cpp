#include "platform/output_candidate.h"

#include <windows.h>

bool clearedForWriting(const std::string& path)
{
    // A file a viewer holds open cannot be deleted, but can still be opened
    // for shared reading: that name is passed over.
    DeleteFileA(path.c_str());
    const HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                    FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return true;
    CloseHandle(file);
    return false;
}
