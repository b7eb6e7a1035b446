#include "platform/small_file_system.h"

#include "platform/win32/system_error.h"

#include <windows.h>

namespace {

HANDLE native(std::intptr_t handle)
{
    return reinterpret_cast<HANDLE>(handle);
}

}  // namespace

ReadOnlyFile::ReadOnlyFile(const std::string& path)
{
    // A folder cannot be opened as a file at all.
    const DWORD attributes = GetFileAttributesA(path.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY)) {
        kind = Found::somethingElse;
        return;
    }
    const HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                    nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        const DWORD error = GetLastError();
        if (error != ERROR_FILE_NOT_FOUND && error != ERROR_PATH_NOT_FOUND) {
            kind = Found::failure;
            reason = systemErrorText(error);
        }
        return;
    }
    handle = reinterpret_cast<std::intptr_t>(file);
    // A device or a pipe in the file's place could keep a read waiting for ever.
    kind = GetFileType(file) == FILE_TYPE_DISK ? Found::regularFile : Found::somethingElse;
}

ReadOnlyFile::~ReadOnlyFile()
{
    if (handle != -1)
        CloseHandle(native(handle));
}

std::ptrdiff_t ReadOnlyFile::read(char* into, std::size_t size)
{
    DWORD got = 0;
    const DWORD wanted = size > MAXDWORD ? MAXDWORD : static_cast<DWORD>(size);
    if (!ReadFile(native(handle), into, wanted, &got, nullptr)) {
        reason = systemErrorText(GetLastError());
        return -1;
    }
    return got;
}
