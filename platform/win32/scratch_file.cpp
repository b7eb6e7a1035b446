// Scratch files on Windows: a file in the user's temporary folder, marked
// temporary so that it stays in memory where it can. It cannot be deleted
// on close, because the C library's fopen does not share deleting: it is
// deleted by name once closed. Kept open for writing without sharing writes
// or deleting, so nothing else changes it meanwhile.
#include "platform/scratch_file_system.h"

#include <string>

#include <windows.h>

namespace {

// The temporary folder as the ANSI code page spells it (UTF-8 under the
// program's manifest), or nothing when that cannot spell every character
// of it: fopen takes names in that code page.
std::string temporaryFolder()
{
    wchar_t wide[MAX_PATH + 1];
    const DWORD length = GetTempPathW(MAX_PATH + 1, wide);
    if (length == 0 || length > MAX_PATH)
        return {};
    const int size = WideCharToMultiByte(CP_ACP, 0, wide, static_cast<int>(length), nullptr, 0, nullptr, nullptr);
    if (size <= 0)
        return {};
    std::string folder(static_cast<std::size_t>(size), '\0');
    WideCharToMultiByte(CP_ACP, 0, wide, static_cast<int>(length), folder.data(), size, nullptr, nullptr);
    std::wstring back(length, L'\0');
    if (MultiByteToWideChar(CP_ACP, 0, folder.data(), size, back.data(), static_cast<int>(length)) !=
            static_cast<int>(length) ||
        back.compare(0, length, wide, length) != 0)
        return {};
    return folder;
}

}  // namespace

NewScratchFile createScratchFile(const std::string& label)
{
    NewScratchFile made;
    const std::string folder = temporaryFolder();
    if (folder.empty())
        return made;
    made.path = folder + label;
    const HANDLE file = CreateFileA(made.path.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, CREATE_NEW,
                                    FILE_ATTRIBUTE_TEMPORARY, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        made.labelTaken = GetLastError() == ERROR_FILE_EXISTS;
        return made;
    }
    made.file = SystemHandle(reinterpret_cast<std::intptr_t>(file));
    return made;
}

void removeScratchFileName(const std::string& path)
{
    DeleteFileA(path.c_str());
}
