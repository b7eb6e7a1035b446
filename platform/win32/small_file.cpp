#include "platform/small_file.h"

#include "platform/win32/system_error.h"

#include <windows.h>

SmallFileRead readSmallFile(const std::string& path, std::size_t limit)
{
    SmallFileRead result;
    const DWORD attributes = GetFileAttributesA(path.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY)) {
        result.outcome = SmallFileRead::Outcome::notRegular;
        result.error = path + " is not a regular file";
        return result;
    }
    const HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                    nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        const DWORD error = GetLastError();
        if (error != ERROR_FILE_NOT_FOUND && error != ERROR_PATH_NOT_FOUND) {
            result.outcome = SmallFileRead::Outcome::failed;
            result.error = "cannot read " + path + ": " + systemErrorText(error);
        }
        return result;
    }
    // A device or a pipe in the file's place could keep a read waiting for ever.
    if (GetFileType(file) != FILE_TYPE_DISK) {
        CloseHandle(file);
        result.outcome = SmallFileRead::Outcome::notRegular;
        result.error = path + " is not a regular file";
        return result;
    }
    result.content.resize(limit);
    std::size_t done = 0;
    while (done < limit) {
        DWORD got = 0;
        if (!ReadFile(file, result.content.data() + done, static_cast<DWORD>(limit - done), &got, nullptr)) {
            result.outcome = SmallFileRead::Outcome::failed;
            result.error = "cannot read " + path + ": " + systemErrorText(GetLastError());
            break;
        }
        if (got == 0)
            break;
        done += got;
    }
    CloseHandle(file);
    result.content.resize(done);
    if (result.error.empty())
        result.outcome = SmallFileRead::Outcome::read;
    return result;
}
