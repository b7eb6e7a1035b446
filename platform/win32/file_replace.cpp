#include "platform/file_replace.h"

#include "platform/win32/system_error.h"

#include <algorithm>

namespace {

std::size_t nameStart(const std::string& path)
{
    const std::size_t separator = path.find_last_of("\\/:");
    return separator == std::string::npos ? 0 : separator + 1;
}

std::string failure(const char* what, const std::string& path, DWORD error)
{
    return std::string(what) + " " + path + ": " + systemErrorText(error);
}

// A rename over an existing file fails on Windows; MoveFileEx replaces it and,
// with write-through, returns only once the move is on disk.
std::string moveIntoPlace(const std::string& temporary, const std::string& target)
{
    if (!MoveFileExA(temporary.c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        const DWORD error = GetLastError();
        DeleteFileA(temporary.c_str());
        return failure("cannot write", target, error);
    }
    return {};
}

}  // namespace

std::string temporaryPathBeside(const std::string& path)
{
    const std::size_t start = nameStart(path);
    return path.substr(0, start) + "." + path.substr(start) + "." + std::to_string(GetCurrentProcessId()) + ".tmp";
}

std::string replaceWithTemporary(const std::string& temporary, const std::string& target)
{
    const HANDLE file =
        CreateFileA(temporary.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    const bool flushed = file != INVALID_HANDLE_VALUE && FlushFileBuffers(file);
    const DWORD error = GetLastError();
    if (file != INVALID_HANDLE_VALUE)
        CloseHandle(file);
    if (!flushed) {
        DeleteFileA(temporary.c_str());
        return failure("cannot write", target, error);
    }
    return moveIntoPlace(temporary, target);
}

std::string replaceFileContent(const std::string& target, const std::string& content)
{
    const std::string temporary = temporaryPathBeside(target);
    DeleteFileA(temporary.c_str());  // a leftover of a crashed run with the same process id
    // Not inheritable (no security attributes): a program started meanwhile
    // does not get the file.
    const HANDLE file =
        CreateFileA(temporary.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return failure("cannot create", temporary, GetLastError());
    bool written = true;
    for (std::size_t done = 0; written && done < content.size();) {
        DWORD wrote = 0;
        const DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(content.size() - done, 1u << 30));
        written = WriteFile(file, content.data() + done, chunk, &wrote, nullptr) && wrote > 0;
        done += wrote;
    }
    written = written && FlushFileBuffers(file);
    const DWORD error = GetLastError();
    CloseHandle(file);
    if (!written) {
        DeleteFileA(temporary.c_str());
        return failure("cannot write", temporary, error);
    }
    return moveIntoPlace(temporary, target);
}

void removeFile(const std::string& path)
{
    DeleteFileA(path.c_str());
}
