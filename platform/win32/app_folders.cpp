#include "platform/app_folders.h"

#include <windows.h>
#include <shlobj.h>
#include <shlwapi.h>

#include "platform/win32/shared_folder_access.h"
#include "platform/win32/system_error.h"

ProgramFolder findProgramFolder()
{
    ProgramFolder folder;
    char base[MAX_PATH];
    if (FAILED(SHGetFolderPathA(nullptr, CSIDL_COMMON_APPDATA, nullptr, SHGFP_TYPE_CURRENT, base)) ||
        !PathAppendA(base, "\\orvel\\orvelplan\\")) {
        folder.problem = "the common application data folder is unknown";
        return folder;
    }
    folder.path = base;
    if (folder.path.back() != '\\')
        folder.path += '\\';
    // C:\ProgramData exists on every installation; the two folders below it
    // are made on first use.
    for (std::size_t separator = folder.path.find('\\', folder.path.find(":\\") + 2); separator != std::string::npos;
         separator = folder.path.find('\\', separator + 1)) {
        const std::string prefix = folder.path.substr(0, separator);
        if (CreateDirectoryA(prefix.c_str(), everyUserMayWrite()))
            continue;
        const DWORD error = GetLastError();
        if (error != ERROR_ALREADY_EXISTS) {
            folder.problem = "cannot create the folder " + prefix + ": " + systemErrorText(error);
            return folder;
        }
        // A file of that name stands where the folder belongs.
        const DWORD attributes = GetFileAttributesA(prefix.c_str());
        if (attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY)) {
            folder.problem = "cannot use the folder " + prefix + ": " + systemErrorText(ERROR_DIRECTORY);
            return folder;
        }
    }
    const DWORD attributes = GetFileAttributesA(folder.path.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES || !(attributes & FILE_ATTRIBUTE_DIRECTORY))
        folder.problem = "cannot use the folder " + folder.path + ": " +
                         systemErrorText(attributes == INVALID_FILE_ATTRIBUTES ? GetLastError() : ERROR_DIRECTORY);
    return folder;
}

std::string programFolder()
{
    return findProgramFolder().path;
}
