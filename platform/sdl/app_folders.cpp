#include "platform/app_folders.h"

#include <cerrno>
#include <cstdlib>
#include <sys/stat.h>

namespace {

void createFolders(const std::string& path)
{
    for (std::size_t slash = path.find('/', 1); slash != std::string::npos; slash = path.find('/', slash + 1)) {
        const std::string prefix = path.substr(0, slash);
        if (mkdir(prefix.c_str(), 0777) != 0 && errno != EEXIST)
            return;
    }
}

std::string userDataFolder()
{
    // The XDG rules say a relative XDG_DATA_HOME is invalid and must be ignored.
    if (const char* dataHome = std::getenv("XDG_DATA_HOME"); dataHome && dataHome[0] == '/')
        return dataHome;
    if (const char* home = std::getenv("HOME"); home && home[0] == '/')
        return std::string(home) + "/.local/share";
    return {};
}

}  // namespace

std::string programFolder()
{
    std::string folder = userDataFolder();
    if (folder.empty())
        return folder;
    if (folder.back() != '/')
        folder += '/';
    folder += "orvel/orvelplan/";
    createFolders(folder);
    return folder;
}

std::string missingProgramFolderReason()
{
    return "neither XDG_DATA_HOME nor HOME is set";
}

const char* programFolderForHelp()
{
    return "$XDG_DATA_HOME/orvel/orvelplan/";
}
