#include "platform/app_folders.h"

#include <windows.h>
#include <shlobj.h>
#include <shlwapi.h>

std::string programFolder()
{
    char folder[MAX_PATH];
    if (FAILED(SHGetFolderPathA(nullptr, CSIDL_COMMON_APPDATA, nullptr, SHGFP_TYPE_CURRENT, folder)))
        return {};
    if (!PathAppendA(folder, "\\orvel\\orvelplan\\"))
        return {};
    std::string path = folder;
    if (path.back() != '\\')
        path += '\\';
    // C:\ProgramData exists on every installation; the two folders below it
    // are made on first use. A folder that cannot be made shows up as the
    // reason of the first write that fails.
    for (std::size_t separator = path.find('\\', path.find(":\\") + 2); separator != std::string::npos;
         separator = path.find('\\', separator + 1))
        CreateDirectoryA(path.substr(0, separator).c_str(), nullptr);
    return path;
}

std::string missingProgramFolderReason()
{
    return "the common application data folder is unknown";
}

const char* programFolderForHelp()
{
    return "C:\\ProgramData\\orvel\\orvelplan\\";
}
