#include "platform/app_folders.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <sys/stat.h>

namespace {

// Creates the missing folders along `path`; the reason for the first one that
// cannot be made, or an empty string.
std::string createFolders(const std::string& path)
{
    for (std::size_t slash = path.find('/', 1); slash != std::string::npos; slash = path.find('/', slash + 1)) {
        const std::string prefix = path.substr(0, slash);
        if (mkdir(prefix.c_str(), 0777) != 0 && errno != EEXIST)
            return "cannot create the folder " + prefix + ": " + std::strerror(errno);
    }
    struct stat status;
    if (stat(path.c_str(), &status) != 0)
        return "cannot use the folder " + path + ": " + std::strerror(errno);
    if (!S_ISDIR(status.st_mode))
        return "cannot use the folder " + path + ": " + std::strerror(ENOTDIR);
    return {};
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

ProgramFolder findProgramFolder()
{
    ProgramFolder folder{userDataFolder(), {}};
    if (folder.path.empty()) {
        folder.problem = "neither XDG_DATA_HOME nor HOME is set";
        return folder;
    }
    if (folder.path.back() != '/')
        folder.path += '/';
    folder.path += "orvel/orvelplan/";
    folder.problem = createFolders(folder.path);
    return folder;
}

std::string programFolder()
{
    return findProgramFolder().path;
}

const char* programFolderForHelp()
{
    return "$XDG_DATA_HOME/orvel/orvelplan/";
}
