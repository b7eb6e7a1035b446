// Scratch files on Windows: a file in the user's temporary folder, marked
// temporary so that it stays in memory where it can. It cannot be deleted
// on close, because the C library's fopen does not share deleting: it is
// deleted by name once closed. Kept open for writing without sharing writes
// or deleting, so nothing else changes it meanwhile.
#include "platform/scratch_file_system.h"

#include <string>

#include <windows.h>

namespace {

// `wide` as the ANSI code page spells it, or nothing when that cannot spell
// every character of it: fopen takes names in that code page.
std::string inAnsiCodePage(const std::wstring& wide)
{
    const int length = static_cast<int>(wide.size());
    const int size = WideCharToMultiByte(CP_ACP, 0, wide.data(), length, nullptr, 0, nullptr, nullptr);
    if (size <= 0)
        return {};
    std::string narrow(static_cast<std::size_t>(size), '\0');
    WideCharToMultiByte(CP_ACP, 0, wide.data(), length, narrow.data(), size, nullptr, nullptr);
    std::wstring back(wide.size(), L'\0');
    if (MultiByteToWideChar(CP_ACP, 0, narrow.data(), size, back.data(), length) != length || back != wide)
        return {};
    return narrow;
}

// The user's temporary folder, with its separator at the end. Under the
// program's manifest the ANSI code page is UTF-8 and spells any folder; on
// older systems a folder named in other letters is tried by its short name.
std::string temporaryFolder()
{
    wchar_t folder[MAX_PATH + 1];
    const DWORD length = GetTempPathW(MAX_PATH + 1, folder);
    if (length == 0 || length > MAX_PATH)
        return {};
    if (std::string narrow = inAnsiCodePage(std::wstring(folder, length)); !narrow.empty())
        return narrow;
    wchar_t shortName[MAX_PATH + 1];
    const DWORD shortLength = GetShortPathNameW(folder, shortName, MAX_PATH + 1);
    if (shortLength == 0 || shortLength > MAX_PATH)
        return {};
    std::string narrow = inAnsiCodePage(std::wstring(shortName, shortLength));
    return narrow.empty() || narrow.back() == '\\' ? narrow : narrow + '\\';
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
