#include "platform/app_folders.h"
#include "platform/app_folders_system.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <sys/stat.h>

BaseFolder baseDataFolder()
{
    std::string path;
    // The XDG rules say a relative XDG_DATA_HOME is invalid and must be ignored.
    if (const char* dataHome = std::getenv("XDG_DATA_HOME"); dataHome && dataHome[0] == '/')
        path = dataHome;
    else if (const char* home = std::getenv("HOME"); home && home[0] == '/')
        path = std::string(home) + "/.local/share";
    else
        return {{}, "neither XDG_DATA_HOME nor HOME is set"};
    if (path.back() != '/')
        path += '/';
    return {path, {}};
}

std::size_t folderRootLength(const std::string& path)
{
    return path.find_first_not_of('/');
}

FolderMaking makeFolder(const std::string& path)
{
    if (mkdir(path.c_str(), 0777) == 0)
        return {};
    if (errno != EEXIST)
        return {FolderMaking::Outcome::failed, std::strerror(errno)};
    struct stat status;
    if (stat(path.c_str(), &status) != 0)
        return {FolderMaking::Outcome::notAFolder, std::strerror(errno)};
    if (!S_ISDIR(status.st_mode))
        return {FolderMaking::Outcome::notAFolder, std::strerror(ENOTDIR)};
    return {};
}
