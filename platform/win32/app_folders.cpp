#include "platform/app_folders.h"
#include "platform/app_folders_system.h"

#include <windows.h>
#include <shlobj.h>
#include <shlwapi.h>

#include "platform/win32/shared_folder_access.h"
#include "platform/win32/system_error.h"

BaseFolder baseDataFolder()
{
    char base[MAX_PATH];
    if (FAILED(SHGetFolderPathA(nullptr, CSIDL_COMMON_APPDATA, nullptr, SHGFP_TYPE_CURRENT, base)) ||
        !PathAddBackslashA(base))
        return {{}, "the common application data folder is unknown"};
    return {base, {}};
}

std::size_t folderRootLength(const std::string& path)
{
    const char* afterRoot = PathSkipRootA(path.c_str());
    return afterRoot ? static_cast<std::size_t>(afterRoot - path.c_str()) : 0;
}

// The one place where the program makes a folder on Windows.
FolderMaking makeFolder(const std::string& path)
{
    if (CreateDirectoryA(path.c_str(), everyUserMayWrite()))
        return {};
    const DWORD error = GetLastError();
    if (error != ERROR_ALREADY_EXISTS)
        return {FolderMaking::Outcome::failed, systemErrorText(error)};
    const DWORD attributes = GetFileAttributesA(path.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES)
        return {FolderMaking::Outcome::notAFolder, systemErrorText(GetLastError())};
    if (!(attributes & FILE_ATTRIBUTE_DIRECTORY))
        return {FolderMaking::Outcome::notAFolder, systemErrorText(ERROR_DIRECTORY)};
    return {};
}
